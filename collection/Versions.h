#pragma once

#include "collection/FileContent.h"
#include "collection/HistoryLog.h"

#include <vector>

// The earlier states of a collection that its history can reach, worked out from the file as it
// is now, for showing one beside the file and bringing its images back.

// The content the file had (or would have) with the history's first `applied` changes in it:
// the changes after them undone, or those undone since done again, over now.
FileBytes ContentAtStep(const FileBytes& now, const history::State& state, std::size_t applied);

// The images, 1 to count, whose pixel areas differ between two contents.
std::vector<int> DifferingImages(const FileBytes& a, const FileBytes& b, int count);

// The pixel areas of images taken from version and written over content.
void CopyImages(const FileBytes& version, FileBytes& content, const std::vector<int>& images);
