#pragma once

#include <QLocale>
#include <QString>

class FileSystem;
class RenameRun;
struct FolderEntry;

// The name-structure language: a structure is literal text with placeholders for parts of an entry's
// current new name N ("<NAME>", "<EXT>", "<.EXT>", "<NAME_L(n)>", "<NAME_R(n)>", "<NAME_M(a,b)>", with
// "find(text,occurrence,offset)" in their arguments), its parent folder ("<PATH>"), its times
// ("<DT(C|M|A,format)>"), its name on disk ("<DOSNAME>", "<DOSNAME_N>", "<DOSNAME_E>": this platform has
// no short names), a separator block ("<IntChar>…<IntChar>") and case tag pairs ("<UC>", "<LC>", "<1C>",
// "<WC>", "<SC>"). The evaluator runs fixed text passes in that order; each pass sees what the earlier
// ones produced, which is how "<NAME>" can stand inside a find( argument and why an "<LC>" pair wins over
// an overlapping "<UC>" pair. A pass never looks again at a value it has just inserted. Problems show as
// "<ERROR>", "<No_Number>" or "<Check_DT>" in the result. Positions count characters (code points).
//
// An empty structure evaluates N itself, which resolves placeholders that other functions put into names.
// The file system is asked for the folder's times only when a "<DT(" tag is evaluated.
QString EvaluateStructure(const FolderEntry& entry, const QString& structure, const FileSystem& fs,
                          const QLocale& locale);

// Sets the new name of every entry the run admits to the structure evaluated for it, in list order, with
// the progress text for each entry. Notifies the list once; the caller refreshes the preview.
void ApplyStructure(RenameRun& run, const QString& structure);
