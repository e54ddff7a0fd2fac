// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/tip_bar.h"

#include "platform/qt_icon_store.h"
#include "ui/plain_text.h"
#include "widgets/tip_entry.h"

#include <QLabel>
#include <QRandomGenerator>
#include <QToolButton>

namespace quillary {

namespace {
constexpr int TipWidth = 325;

TipEntry Parse(const QString& entry)
{
    return ParseTipEntry(entry.toStdString());
}
} // namespace

TTipBar::TTipBar(const QString& title, QWidget* parent)
    : QToolBar(title, parent), m_label(new QLabel(this)), m_bulb(new QToolButton(this)), m_up(new QToolButton(this)),
      m_down(new QToolButton(this))
{
    setObjectName(QStringLiteral("TipBar1"));
    AsPlainText(m_label)->setWordWrap(true);
    m_label->setFixedWidth(TipWidth);
    m_label->setAutoFillBackground(true);
    m_label->setBackgroundRole(QPalette::ToolTipBase);
    m_label->setForegroundRole(QPalette::ToolTipText);
    m_label->setContentsMargins(4, 0, 4, 0);
    m_bulb->setIcon(QtIconStore::ToolbarIcon(QStringLiteral("bulb")));
    m_bulb->setToolTip(QStringLiteral("Help with Tip..."));
    m_bulb->setStatusTip(QStringLiteral("Help with Tip..."));
    m_up->setArrowType(Qt::UpArrow);
    m_down->setArrowType(Qt::DownArrow);
    m_up->setToolTip(QStringLiteral("Next tip"));
    m_down->setToolTip(QStringLiteral("Previous tip"));
    // Like the buttons a tool bar makes for its actions, these stay out of the Tab round, which
    // would otherwise stop on them on its way to the folders and entries.
    for (QToolButton* button : {m_bulb, m_up, m_down}) {
        button->setAccessibleName(button->toolTip().remove(QStringLiteral("...")));
        button->setFocusPolicy(Qt::NoFocus);
    }
    // The bulb comes first: in a narrow window the bar keeps it and moves the label, whole, into
    // its extension menu instead of holding the window wide.
    addWidget(m_bulb);
    addWidget(m_label);
    addWidget(m_down);
    addWidget(m_up);
    connect(m_bulb, &QToolButton::clicked, this, &TTipBar::BulbClicked);
    connect(m_up, &QToolButton::clicked, this, [this] { Step(+1); });
    connect(m_down, &QToolButton::clicked, this, [this] { Step(-1); });
}

void TTipBar::SetTipFile(const QStringList& entries)
{
    m_entries = entries;
    m_position = std::clamp(m_position, 0, std::max(0, static_cast<int>(m_entries.size()) - 1));
    // Every tip is shown whole: the label is as tall as the longest tip needs, so the bar keeps
    // one height from tip to tip.
    const QString shown = m_label->text();
    int height = m_label->fontMetrics().height();
    for (const QString& entry : m_entries) {
        m_label->setText(QString::fromStdString(Parse(entry).text));
        height = std::max(height, m_label->heightForWidth(TipWidth));
    }
    m_label->setText(shown);
    m_label->setFixedHeight(height);
}

void TTipBar::ShowTip()
{
    if (m_entries.isEmpty()) {
        m_label->clear();
        m_bulb->setEnabled(false);
        return;
    }
    const TipEntry tip = Parse(m_entries.at(m_position));
    m_label->setText(QString::fromStdString(tip.text));
    m_label->setToolTip(PlainToolTip(QString::fromStdString(tip.text)));
    m_bulb->setEnabled(tip.hasHelp);
}

void TTipBar::ShowRandomTip()
{
    const int first = FirstRandomTip(static_cast<int>(m_entries.size()), QRandomGenerator::global()->generate());
    m_position = std::max(first, 0);
    ShowTip();
}

void TTipBar::Step(int delta)
{
    m_position = StepTip(m_position, delta, static_cast<int>(m_entries.size()));
    ShowTip();
}

QString TTipBar::ShownText() const
{
    return m_label->text();
}

bool TTipBar::BulbEnabled() const
{
    return m_bulb->isEnabled();
}

void TTipBar::BulbClicked()
{
    if (m_entries.isEmpty())
        return;
    emit HelpRequested(Parse(m_entries.at(m_position)).helpContext);
}

} // namespace quillary
