// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QIcon>

namespace quillary {

class QtIconStore;

// The pictures the tree and the list draw: an item's image, with the due marker laid over it
// when its state image says so. Composed pictures are kept, one per image.
class ItemPictures
{
public:
    explicit ItemPictures(const QtIconStore& icons) : m_icons(icons) {}

    QIcon Picture(int image, int stateImage) const;
    const QtIconStore& Icons() const { return m_icons; }

private:
    QIcon Marked(int image) const;

    const QtIconStore& m_icons;
    mutable QHash<int, QIcon> m_marked;
};

} // namespace quillary
