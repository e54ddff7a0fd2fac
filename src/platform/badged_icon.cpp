// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/badged_icon.h"

#include <QIconEngine>
#include <QPainter>
#include <QPixmap>

namespace quillary {

namespace {

class BadgedIconEngine : public QIconEngine
{
public:
    BadgedIconEngine(const QIcon& base, const QIcon& badge) : m_base(base), m_badge(badge) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        m_base.paint(painter, rect, Qt::AlignCenter, mode, state);
        const int side = qMax(1, qMin(rect.width(), rect.height()) * 9 / 16);
        const QRect corner(rect.right() - side + 1, rect.bottom() - side + 1, side, side);
        m_badge.paint(painter, corner, Qt::AlignCenter, mode, state);
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        QPixmap result(size);
        result.fill(Qt::transparent);
        QPainter painter(&result);
        paint(&painter, QRect(QPoint(0, 0), size), mode, state);
        return result;
    }

    QIconEngine* clone() const override { return new BadgedIconEngine(m_base, m_badge); }

    QString key() const override { return QStringLiteral("quillary-badged"); }

private:
    QIcon m_base;
    QIcon m_badge;
};

} // namespace

QIcon WithBadge(const QIcon& base, const QIcon& badge)
{
    return QIcon(new BadgedIconEngine(base, badge));
}

} // namespace quillary
