// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/icon_catalog.h"

#include "platform/badged_icon.h"

#include <array>

// Resources of a static library are only linked in when something names them.
static void InitIconResources()
{
    Q_INIT_RESOURCE(icons);
}

namespace quillary {

namespace {

struct IconSpec
{
    const char* name;
    const char* themeNames;
    const char* bundledFile;
};

constexpr std::array<IconSpec, ItemPictureCount> ItemPictures = {{
    {"folder", "folder", "folder"},
    {"organization", "x-office-address-book", "organization"},
    {"team", "system-users", "team"},
    {"person", "user-identity avatar-default", "person"},
    {"website", "applications-internet text-html", "website"},
    {"address", "mail-message", "address"},
    {"phone", "phone call-start", "phone"},
    {"email", "mail-send", "email"},
    {"fax", "printer", "fax"},
    {"reminder", "appointment-new alarm", "reminder"},
    {"open folder", "folder-open", "folder-open"},
    {"due reminder", "appointment-soon task-due", "reminder-due"},
    {"root", "user-home go-home", "root"},
    {"no icon", "text-x-generic", "document"},
}};

// Groups whose glyphs must tell their members apart (the two filters, the four views) and
// glyphs without a standard theme name use the bundled picture only.
constexpr std::array<IconSpec, 20> ToolbarGlyphs = {{
    {"import", "document-import", "import"},
    {"publish", "document-export document-send", "publish"},
    {"print", "document-print", "print"},
    {"synchronize", "", "synchronize"},
    {"filter-any", "", "filter-any"},
    {"filter-all", "", "filter-all"},
    {"cut", "edit-cut", "cut"},
    {"copy", "edit-copy", "copy"},
    {"paste", "edit-paste", "paste"},
    {"delete", "edit-delete", "delete"},
    {"view-large", "", "view-large"},
    {"view-small", "", "view-small"},
    {"view-list", "", "view-list"},
    {"view-details", "", "view-details"},
    {"tools", "applications-utilities", "tools"},
    {"get-url", "insert-link", "get-url"},
    {"help", "help-contents help-browser", "help"},
    {"up-one", "go-up", "up-one"},
    {"bulb", "", "bulb"},
    {"program", "application-x-executable", "program"},
}};

// The New Item Bar shows each kind's own item picture with a "new" badge, so it always
// matches the pictures in the tree and the list.
struct NewItemGlyph
{
    const char* name;
    int itemPicture;
};

constexpr std::array<NewItemGlyph, 10> NewItemGlyphs = {{
    {"new-reminder", 9},
    {"new-fax", 8},
    {"new-email", 7},
    {"new-phone", 6},
    {"new-address", 5},
    {"new-website", 4},
    {"new-person", 3},
    {"new-team", 2},
    {"new-organization", 1},
    {"new-folder", 0},
}};

QString BundledPath(const char* file)
{
    static const bool initialised = [] {
        InitIconResources();
        return true;
    }();
    Q_UNUSED(initialised);
    return QStringLiteral(":/icons/%1.svg").arg(QLatin1String(file));
}

QIcon FromSpec(const IconSpec& spec)
{
    return ThemedIcon(spec.themeNames, BundledPath(spec.bundledFile));
}

} // namespace

QIcon ThemedIcon(const char* themeNames, const QString& bundledFile)
{
    const QStringList names = QString::fromLatin1(themeNames).split(' ', Qt::SkipEmptyParts);
    for (const QString& name : names) {
        if (QIcon::hasThemeIcon(name))
            return QIcon::fromTheme(name);
    }
    return QIcon(bundledFile);
}

QIcon ItemPicture(int position)
{
    if (position < 0 || position >= ItemPictureCount)
        position = ItemPictureCount - 1;
    return FromSpec(ItemPictures[static_cast<std::size_t>(position)]);
}

QIcon DueMarkerPicture()
{
    return ThemedIcon("emblem-important", BundledPath("due-marker"));
}

QIcon GenericProgramPicture()
{
    return ThemedIcon("application-x-executable", BundledPath("program"));
}

QIcon ToolbarGlyph(const QString& name)
{
    for (const IconSpec& spec : ToolbarGlyphs) {
        if (name == QLatin1String(spec.name))
            return FromSpec(spec);
    }
    for (const NewItemGlyph& glyph : NewItemGlyphs) {
        if (name == QLatin1String(glyph.name))
            return WithBadge(ItemPicture(glyph.itemPicture), QIcon(BundledPath("badge-new")));
    }
    return {};
}

QStringList ToolbarGlyphNames()
{
    QStringList names;
    for (const IconSpec& spec : ToolbarGlyphs)
        names << QString::fromLatin1(spec.name);
    for (const NewItemGlyph& glyph : NewItemGlyphs)
        names << QString::fromLatin1(glyph.name);
    return names;
}

} // namespace quillary
