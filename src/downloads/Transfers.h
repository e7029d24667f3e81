#pragma once
// The two ways a job stores a body: a file, written by its own thread while
// the next chunk is read, or one block of memory.

#include <cstddef>

#include "downloads/BodyReader.h"
#include "downloads/JobState.h"

namespace kva {

void TransferIntoFile(DownloadJob& job, BodyReader& body, std::size_t chunkBytes);
void TransferIntoMemory(DownloadJob& job, BodyReader& body, std::size_t chunkBytes);

}  // namespace kva
