#pragma once

class PreviewList;

// Stepping back through the proposals every entry carries, and throwing them away. Both act on every
// entry, never on the disk; the caller refreshes the list afterwards.

// Every entry's new name becomes its most recent earlier proposal (level 1) and the older levels move up
// by one. An entry without an earlier proposal keeps its name and history: stepping back to "nothing"
// would make its new name empty.
void UndoProposals(PreviewList& list);

// Every entry's new name becomes its old name again and its history holds nothing but that.
void RejectProposals(PreviewList& list);

// The title of message boxes that have no caption of their own.
inline constexpr char16_t kProductName[] = u"Dirwright";
