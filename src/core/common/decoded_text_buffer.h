// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/byte_pieces.h"
#include "common/text_decoder.h"

#include <istream>
#include <streambuf>
#include <string>

namespace quillary {

// The text of another program's file as UTF-8, decoded a piece at a time as it is read, so a
// large file is never held whole. A stream on it reads what DecodeText makes of the whole file.
class DecodedTextBuffer : public std::streambuf
{
public:
    // bytes from where the text starts; encoding as DetectStreamEncoding found it there.
    DecodedTextBuffer(std::istream& bytes, TextEncoding encoding);

protected:
    int_type underflow() override;

private:
    BytePieces m_pieces;
    TextDecoder m_decoder;
    std::string m_text;
};

} // namespace quillary
