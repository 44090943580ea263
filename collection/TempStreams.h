#pragma once

#include <cstdio>

// Anonymous temporary streams that carry image data from one step to the next. They are created
// in the user's temporary folder (the C runtime's own tmpfile writes to the root of the drive on
// Windows, where an ordinary user may not create files) and released all at once. Each is a file
// of its own, created exclusively, that the system deletes when it is closed or when the process
// ends in any way, a crash or a kill included.

// An empty stream open for reading and writing, or nullptr when none can be created.
std::FILE* CreateTempStream();

// The same, for its caller to close: ReleaseTempStreams leaves it alone. A copy of a whole
// collection that a step works on lives longer than the step's own streams.
std::FILE* CreateOwnTempStream();

// Empties a temporary stream for its next use and puts it at its start; false when it can't.
bool EmptyTempStream(std::FILE* stream);

// Closes (and so deletes) every temporary stream created and not yet released.
void ReleaseTempStreams();

// Closes (and so deletes) one temporary stream. Returns false, doing nothing, when stream is not
// one.
bool ReleaseTempStream(std::FILE* stream);

// How many temporary streams are open now.
int OpenTempStreamCount();
