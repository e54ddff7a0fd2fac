// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/id_registry.h"

#include <istream>
#include <memory>
#include <vector>

namespace quillary {

class TreeNode;

// What a read met: the records taken, the lines passed over (1-based line numbers), and the
// records nested deeper than MaxTreeDepth, which were placed at that depth.
struct ReadReport
{
    int records = 0;
    std::vector<int> skippedLines;
    int placedAtDepthLimit = 0;
};

// Reads records beneath target until the stream ends. Levels count from target (level 1 lands
// directly beneath it; a level below 1 is read as 1). A damaged line is skipped and reading goes
// on with the next line that starts a record ("{" followed by a digit or "-"), so a bad spot
// never stops a load half way. Records that would stand deeper than MaxTreeDepth stand at it.
// firstLine numbers the stream's first line in the report. Throws FileError when the stream
// fails for a reason other than its end.
void ReadItems(std::istream& in, TreeNode& target, ReadReport* report = nullptr, int firstLine = 1);

class RecordReader;

// ReadItems a slice at a time, so a program can give its window turns while a large file comes
// in: each Next takes the following records, read and placed exactly as one ReadItems would. The
// stream and the target must outlive it; nothing else may change the tree between slices.
class RecordSlices
{
public:
    RecordSlices(std::istream& in, TreeNode& target, ReadReport* report = nullptr, int firstLine = 1);
    ~RecordSlices();
    RecordSlices(const RecordSlices&) = delete;
    RecordSlices& operator=(const RecordSlices&) = delete;

    // Reads at most count records (a damaged line counts as one); false once the stream has
    // ended. Throws FileError when the stream fails for a reason other than its end.
    bool Next(int count);

private:
    IdBatch m_ids;
    std::unique_ptr<RecordReader> m_reader;
};

} // namespace quillary
