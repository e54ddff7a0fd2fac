// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/shell/item_pictures.h"

#include "platform/qt_icon_store.h"

#include <QPainter>

namespace quillary {

QIcon ItemPictures::Picture(int image, int stateImage) const
{
    return stateImage == 1 ? Marked(image) : m_icons.Icon(image);
}

QIcon ItemPictures::Marked(int image) const
{
    if (const auto it = m_marked.constFind(image); it != m_marked.constEnd())
        return *it;
    QIcon marked;
    for (const int size : {16, 32}) {
        QPixmap pixmap = m_icons.Icon(image).pixmap(size, size);
        QPainter painter(&pixmap);
        const int mark = size / 2;
        m_icons.DueMarker().paint(&painter, QRect(0, size - mark, mark, mark));
        marked.addPixmap(pixmap);
    }
    m_marked.insert(image, marked);
    return marked;
}

} // namespace quillary
