#pragma once

// How the process takes memory from the system and gives it back. Where the C library offers no say in
// it, both do nothing.

// Once, at the start of main, before any thread runs: large blocks (a list's rows, a big folder's names,
// sort keys) come from the system and go back to it when freed.
void SetUpMemoryUse();

// Gives the free pages inside the heap back to the system. After work that freed much in many small
// pieces among others still in use (a big folder's names, parent paths rewritten by renames), the heap
// cannot shrink by itself. Cheap when there is little to give back.
void ReturnFreeMemory();
