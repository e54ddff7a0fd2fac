// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>
#include <QToolBar>

class QLabel;
class QToolButton;

namespace quillary {

// A tool bar that shows one usage tip at a time: the tip text, a bulb button that opens the
// tip's help topic (enabled only when the tip names one) and a stepper through the tips.
class TTipBar final : public QToolBar
{
    Q_OBJECT

public:
    explicit TTipBar(const QString& title, QWidget* parent = nullptr);

    void SetTipFile(const QStringList& entries);
    const QStringList& TipFile() const { return m_entries; }
    void ShowTip();
    void ShowRandomTip();
    int Position() const { return m_position; }
    void Step(int delta);
    QString ShownText() const;
    bool BulbEnabled() const;

signals:
    void HelpRequested(int context);

private:
    void BulbClicked();

    QStringList m_entries;
    int m_position = 0;
    QLabel* m_label;
    QToolButton* m_bulb;
    QToolButton* m_up;
    QToolButton* m_down;
};

} // namespace quillary
