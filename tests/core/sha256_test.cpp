// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/sha256.h"

#include <gtest/gtest.h>

using namespace quillary;

TEST(Sha256, DigestsAreTheStandardsWhateverPiecesTheBytesComeIn)
{
    // FIPS 180-4's examples and the empty text.
    EXPECT_EQ(Sha256Hex(""), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    EXPECT_EQ(Sha256Hex("abc"), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    const std::string two = "abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq";
    EXPECT_EQ(Sha256Hex(two), "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
    const std::string million(1000000, 'a');
    const std::string expected = "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0";
    EXPECT_EQ(Sha256Hex(million), expected);
    for (const std::size_t piece : {1, 3, 55, 56, 63, 64, 65, 1000}) {
        Sha256 hash;
        for (std::size_t at = 0; at < million.size(); at += piece)
            hash.Add(std::string_view(million).substr(at, piece));
        EXPECT_EQ(hash.HexDigest(), expected) << piece;
    }
}
