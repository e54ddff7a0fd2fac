// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "automation/zelk_app.h"

#include <QDBusContext>
#include <QObject>
#include <QString>

namespace quillary {

// One client's cursor on the session bus: every member of the automation cursor as a method.
// Properties are read by their own name and written by "Set" + name; indexed members take the
// index (or field name, or title) as their first argument. A call that cannot be carried out
// answers the error "Zelk.Application.Error" with the reason; reads never fail. Calls from any
// connection but the owner's are refused with that error. DoDefaultAction answers before it acts,
// so a dialog the action opens never keeps its caller waiting. The introspection data names each
// method's dispatch identifier in the annotation "Zelk.Application.DispatchId".
class AutomationCursor final : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "Zelk.Application.Cursor")
    // Written out so that each method carries the dispatch identifier of its member; a getter and
    // its "Set" share one.
    Q_CLASSINFO("D-Bus Introspection", "  <interface name=\"Zelk.Application.Cursor\">\n"
                                       "    <method name=\"Insert\">"
                                       "<arg name=\"kind\" type=\"i\" direction=\"in\"/>"
                                       "<arg name=\"title\" type=\"s\" direction=\"in\"/>"
                                       "<arg name=\"target\" type=\"s\" direction=\"in\"/>"
                                       "<arg name=\"comment\" type=\"s\" direction=\"in\"/>"
                                       "<arg name=\"details\" type=\"s\" direction=\"in\"/>"
                                       "<annotation name=\"Zelk.Application.DispatchId\" value=\"1\"/></method>\n"
                                       "    <method name=\"CopyClipboard\">"
                                       "<annotation name=\"Zelk.Application.DispatchId\" value=\"2\"/></method>\n"
                                       "    <method name=\"DoDefaultAction\">"
                                       "<annotation name=\"Zelk.Application.DispatchId\" value=\"3\"/></method>\n"
                                       "    <method name=\"zelkID\">"
                                       "<arg name=\"result\" type=\"i\" direction=\"out\"/>"
                                       "<annotation name=\"Zelk.Application.DispatchId\" value=\"4\"/></method>\n"
                                       "    <method name=\"zelkClass\">"
                                       "<arg name=\"result\" type=\"i\" direction=\"out\"/>"
                                       "<annotation name=\"Zelk.Application.DispatchId\" value=\"5\"/></method>\n"
                                       "    <method name=\"zelkTitle\">"
                                       "<arg name=\"result\" type=\"s\" direction=\"out\"/>"
                                       "<annotation name=\"Zelk.Application.DispatchId\" value=\"6\"/></method>\n"
                                       "    <method name=\"SetzelkTitle\">"
                                       "<arg name=\"title\" type=\"s\" direction=\"in\"/>"
                                       "<annotation name=\"Zelk.Application.DispatchId\" value=\"6\"/></method>\n"
                                       "    <method name=\"zelkTarget\">"
                                       "<arg name=\"result\" type=\"s\" direction=\"out\"/>"
                                       "<annotation name=\"Zelk.Application.DispatchId\" value=\"7\"/></method>\n"
                                       "    <method name=\"SetzelkTarget\">"
                                       "<arg name=\"target\" type=\"s\" direction=\"in\"/>"
                                       "<annotation name=\"Zelk.Application.DispatchId\" value=\"7\"/></method>\n"
                                       "    <method name=\"zelkComment\">"
                                       "<arg name=\"result\" type=\"s\" direction=\"out\"/>"
                                       "<annotation name=\"Zelk.Application.DispatchId\" value=\"8\"/></method>\n"
                                       "    <method name=\"SetzelkComment\">"
                                       "<arg name=\"comment\" type=\"s\" direction=\"in\"/>"
                                       "<annotation name=\"Zelk.Application.DispatchId\" value=\"8\"/></method>\n"
                                       "    <method name=\"zelkField\">"
                                       "<arg name=\"field\" type=\"s\" direction=\"in\"/>"
                                       "<arg name=\"result\" type=\"s\" direction=\"out\"/>"
                                       "<annotation name=\"Zelk.Application.DispatchId\" value=\"9\"/></method>\n"
                                       "    <method name=\"SetzelkField\">"
                                       "<arg name=\"field\" type=\"s\" direction=\"in\"/>"
                                       "<arg name=\"value\" type=\"s\" direction=\"in\"/>"
                                       "<annotation name=\"Zelk.Application.DispatchId\" value=\"9\"/></method>\n"
                                       "    <method name=\"ItemCount\">"
                                       "<arg name=\"result\" type=\"i\" direction=\"out\"/>"
                                       "<annotation name=\"Zelk.Application.DispatchId\" value=\"10\"/></method>\n"
                                       "    <method name=\"Items\">"
                                       "<arg name=\"index\" type=\"i\" direction=\"in\"/>"
                                       "<arg name=\"result\" type=\"b\" direction=\"out\"/>"
                                       "<annotation name=\"Zelk.Application.DispatchId\" value=\"11\"/></method>\n"
                                       "    <method name=\"CurrentItemIndex\">"
                                       "<arg name=\"result\" type=\"i\" direction=\"out\"/>"
                                       "<annotation name=\"Zelk.Application.DispatchId\" value=\"12\"/></method>\n"
                                       "    <method name=\"NextSiblingIndex\">"
                                       "<arg name=\"result\" type=\"i\" direction=\"out\"/>"
                                       "<annotation name=\"Zelk.Application.DispatchId\" value=\"13\"/></method>\n"
                                       "    <method name=\"ChildCount\">"
                                       "<arg name=\"result\" type=\"i\" direction=\"out\"/>"
                                       "<annotation name=\"Zelk.Application.DispatchId\" value=\"14\"/></method>\n"
                                       "    <method name=\"Child\">"
                                       "<arg name=\"index\" type=\"i\" direction=\"in\"/>"
                                       "<arg name=\"result\" type=\"b\" direction=\"out\"/>"
                                       "<annotation name=\"Zelk.Application.DispatchId\" value=\"15\"/></method>\n"
                                       "    <method name=\"SelectCount\">"
                                       "<arg name=\"result\" type=\"i\" direction=\"out\"/>"
                                       "<annotation name=\"Zelk.Application.DispatchId\" value=\"16\"/></method>\n"
                                       "    <method name=\"UserSelected\">"
                                       "<arg name=\"n\" type=\"i\" direction=\"in\"/>"
                                       "<arg name=\"result\" type=\"b\" direction=\"out\"/>"
                                       "<annotation name=\"Zelk.Application.DispatchId\" value=\"17\"/></method>\n"
                                       "    <method name=\"NextItemWithTitle\">"
                                       "<arg name=\"title\" type=\"s\" direction=\"in\"/>"
                                       "<arg name=\"result\" type=\"b\" direction=\"out\"/>"
                                       "<annotation name=\"Zelk.Application.DispatchId\" value=\"18\"/></method>\n"
                                       "    <method name=\"ItemWithId\">"
                                       "<arg name=\"id\" type=\"i\" direction=\"in\"/>"
                                       "<arg name=\"result\" type=\"b\" direction=\"out\"/>"
                                       "<annotation name=\"Zelk.Application.DispatchId\" value=\"19\"/></method>\n"
                                       "  </interface>\n")

public:
    // owner: the unique bus name of the only connection that may use the cursor.
    AutomationCursor(ItemTree& tree, AutomationHost& host, QString owner, QObject* parent = nullptr);

    // Deletes the cursor now, or when the call it is carrying out has ended.
    void DeleteWhenIdle();

public slots:
    Q_SCRIPTABLE void Insert(int kind, const QString& title, const QString& target, const QString& comment,
                             const QString& details);
    Q_SCRIPTABLE void CopyClipboard();
    Q_SCRIPTABLE void DoDefaultAction();

    Q_SCRIPTABLE int zelkID() const;
    Q_SCRIPTABLE int zelkClass() const;
    Q_SCRIPTABLE QString zelkTitle() const;
    Q_SCRIPTABLE void SetzelkTitle(const QString& title);
    Q_SCRIPTABLE QString zelkTarget() const;
    Q_SCRIPTABLE void SetzelkTarget(const QString& target);
    Q_SCRIPTABLE QString zelkComment() const;
    Q_SCRIPTABLE void SetzelkComment(const QString& comment);
    Q_SCRIPTABLE QString zelkField(const QString& field) const;
    Q_SCRIPTABLE void SetzelkField(const QString& field, const QString& value);

    Q_SCRIPTABLE int ItemCount() const;
    Q_SCRIPTABLE bool Items(int index);
    Q_SCRIPTABLE int CurrentItemIndex() const;
    Q_SCRIPTABLE int NextSiblingIndex() const;
    Q_SCRIPTABLE int ChildCount() const;
    Q_SCRIPTABLE bool Child(int index);
    Q_SCRIPTABLE int SelectCount() const;
    Q_SCRIPTABLE bool UserSelected(int n);
    Q_SCRIPTABLE bool NextItemWithTitle(const QString& title);
    Q_SCRIPTABLE bool ItemWithId(int id);

private:
    // True (and the caller answered with an error) for a call through the bus from a stranger.
    bool FromStranger() const;
    // Runs an owner's call that may fail; a failure becomes the client's error reply.
    template <typename Call> void Reporting(Call call);
    // Runs an owner's read; a stranger gets the error and the value is fallback.
    template <typename Read, typename R> R Owned(Read read, R fallback) const;

    TZelkApp m_app;
    QString m_owner;
    int m_callDepth = 0;
    bool m_released = false;
};

} // namespace quillary
