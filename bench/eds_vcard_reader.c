/* SPDX-License-Identifier: GPL-3.0-or-later */
/* quillary-eds-vcard-read FILE: the process benchmark's reference for vCard import. It parses
 * every card of FILE with the vCard parser of the GNOME address book's data server and prints
 * the number of cards. Each card is cut out at its BEGIN and END lines and handed to
 * e_vcard_new_from_string; the parser works lazily, so its attributes are asked for to make it
 * parse the card whole. Nothing is kept: this is parsing alone. */
#include <libebook-contacts/libebook-contacts.h>

#include <stdio.h>
#include <string.h>

/* The end of the line holding position at (just past its line break), or the end of the text. */
static const char* LineAfter(const char* at, const char* end)
{
    const char* newline = memchr(at, '\n', (size_t)(end - at));
    return newline ? newline + 1 : end;
}

int main(int argc, char** argv)
{
    gchar* text = NULL;
    gsize size = 0;
    if (argc != 2 || !g_file_get_contents(argv[1], &text, &size, NULL)) {
        fprintf(stderr, "usage: quillary-eds-vcard-read FILE (a readable vCard file)\n");
        return 2;
    }
    const char* end = text + size;
    long cards = 0, attributes = 0;
    for (const char* begin = strstr(text, "BEGIN:VCARD"); begin; begin = strstr(begin, "BEGIN:VCARD")) {
        const char* last = strstr(begin, "END:VCARD");
        if (!last)
            break;
        const char* after = LineAfter(last, end);
        gchar* card_text = g_strndup(begin, (gsize)(after - begin));
        EVCard* card = e_vcard_new_from_string(card_text);
        attributes += g_list_length(e_vcard_get_attributes(card));
        ++cards;
        g_object_unref(card);
        g_free(card_text);
        begin = after;
    }
    printf("%ld cards, %ld properties\n", cards, attributes);
    g_free(text);
    return 0;
}
