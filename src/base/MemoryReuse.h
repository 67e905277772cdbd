#pragma once

// Keeps memory a run of an algorithm freed with the program for the next run, up to some tens
// of megabytes, instead of handing it back to the system at once and taking it again page by
// page: on a large graph that round trip cost a run as much as the search itself (a recorded
// step trace grows in large blocks). Called once, first thing in main().
void KeepFreedMemoryForReuse();
