// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QUrl>
#include <QWidget>

class QAction;
class QTextBrowser;

namespace quillary {

// The help viewer: a window of its own that shows the bundled help topics, one page per
// context number (qrc:/help/<context>.html) and a contents page, with Back and Forward
// through the pages seen. Closing it only hides it; its owner keeps it for the next call.
class HelpWindow : public QWidget
{
    Q_OBJECT

public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Shows the contents page and brings the window to the front.
    void ShowContents();
    // Shows the topic of a context number, or the contents when there is no such topic.
    void ShowTopic(int context);

    static QUrl TopicUrl(int context);
    static QUrl ContentsUrl();

private:
    void BuildToolBar();
    void Open(const QUrl& page);

    QTextBrowser* m_browser = nullptr;
    QAction* m_back = nullptr;
    QAction* m_forward = nullptr;
};

} // namespace quillary
