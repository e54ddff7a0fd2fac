// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/help_window.h"

#include "platform/qt_icon_store.h"

#include <QAction>
#include <QFile>
#include <QStyle>
#include <QTextBrowser>
#include <QToolBar>
#include <QVBoxLayout>

// Resources of a static library are only linked in when something names them.
static void InitHelpResources()
{
    Q_INIT_RESOURCE(help);
}

namespace quillary {

namespace {

bool PageExists(const QUrl& page)
{
    return QFile::exists(QLatin1Char(':') + page.path());
}

QIcon ThemeOr(const char* name, const QIcon& fallback)
{
    return QIcon::fromTheme(QLatin1String(name), fallback);
}

} // namespace

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window), m_browser(new QTextBrowser(this))
{
    InitHelpResources();
    setWindowTitle(QStringLiteral("Quillary Help"));
    resize(640, 560);
    m_browser->setOpenExternalLinks(true);
    BuildToolBar();
    connect(m_browser, &QTextBrowser::backwardAvailable, m_back, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, m_forward, &QAction::setEnabled);
}

void HelpWindow::BuildToolBar()
{
    auto* bar = new QToolBar(this);
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    QAction* contents = bar->addAction(QtIconStore::ToolbarIcon(QStringLiteral("help")), QStringLiteral("&Contents"));
    m_back =
        bar->addAction(ThemeOr("go-previous", style()->standardIcon(QStyle::SP_ArrowBack)), QStringLiteral("&Back"));
    m_forward =
        bar->addAction(ThemeOr("go-next", style()->standardIcon(QStyle::SP_ArrowForward)), QStringLiteral("&Forward"));
    m_back->setShortcut(QKeySequence::Back);
    m_forward->setShortcut(QKeySequence::Forward);
    m_back->setEnabled(false);
    m_forward->setEnabled(false);
    connect(contents, &QAction::triggered, this, &HelpWindow::ShowContents);
    connect(m_back, &QAction::triggered, m_browser, &QTextBrowser::backward);
    connect(m_forward, &QAction::triggered, m_browser, &QTextBrowser::forward);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(m_browser);
}

void HelpWindow::ShowContents()
{
    Open(ContentsUrl());
}

void HelpWindow::ShowTopic(int context)
{
    const QUrl topic = TopicUrl(context);
    Open(PageExists(topic) ? topic : ContentsUrl());
}

QUrl HelpWindow::TopicUrl(int context)
{
    return QUrl(QStringLiteral("qrc:/help/%1.html").arg(context));
}

QUrl HelpWindow::ContentsUrl()
{
    return QUrl(QStringLiteral("qrc:/help/contents.html"));
}

void HelpWindow::Open(const QUrl& page)
{
    if (PageExists(page))
        m_browser->setSource(page);
    else
        m_browser->setHtml(QStringLiteral("<p>The help pages are not installed.</p>"));
    show();
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
}

} // namespace quillary
