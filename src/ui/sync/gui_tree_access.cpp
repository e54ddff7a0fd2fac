// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/sync/gui_tree_access.h"

#include "model/item_tree.h"

#include <QMetaObject>
#include <QObject>
#include <QThread>

#include <exception>

namespace quillary {

GuiTreeAccess::GuiTreeAccess(QObject& window, ItemTree& tree, std::function<void()> changed)
    : m_window(window), m_tree(tree), m_changed(std::move(changed))
{
}

void GuiTreeAccess::Run(const std::function<void()>& work)
{
    if (QThread::currentThread() == m_window.thread()) {
        RunHere(work);
        return;
    }
    bool ran = false;
    std::exception_ptr failure;
    // A window deleted before the call is delivered releases the wait without running it.
    QMetaObject::invokeMethod(
        &m_window,
        [&] {
            if (m_closed)
                return;
            ran = true;
            try {
                RunHere(work);
            } catch (...) {
                failure = std::current_exception();
            }
        },
        Qt::BlockingQueuedConnection);
    if (failure)
        std::rethrow_exception(failure);
    if (!ran)
        throw SyncClosed{};
}

void GuiTreeAccess::RunHere(const std::function<void()>& work)
{
    if (m_closed)
        throw SyncClosed{};
    const std::uint64_t before = m_tree.ChangeGeneration();
    work();
    if (m_tree.ChangeGeneration() != before && m_changed)
        m_changed();
}

} // namespace quillary
