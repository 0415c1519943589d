// KTGF: the base utility library's general functions. Every member is static; the class
// holds no data and nobody needs an instance.
//
// Texts are UTF-8. Where a member counts characters it counts code points; where it counts
// bytes it never cuts a character in two. Paths are native: "/" separates folders and there
// are no drive letters.
//
// The members are grouped by concern, one source file per group:
//   text ............ KTGFText.cpp, lists of texts in KTGFTextList.cpp
//   string table .... KTGFText.cpp
//   paths ........... KTGFPath.cpp
//   files and folders: tests, sizes, listing, creating, renaming, deleting ... KTGFFile.cpp
//   copying, moving and deleting with progress ... KTGFFileCopy.cpp
//   dates ........... KTGFDate.cpp
//   colours, pictures, messages, byte order, byte spreading ... KTGFMisc.cpp
#pragma once

#include "platform/core/CString.h"
#include "platform/core/Geometry.h"
#include "platform/core/OleDateTime.h"
#include "platform/core/Types.h"

class CDC;
class CStringArray;
class KTCallBack;
struct MSG;

// Result codes of the file and folder operations.
constexpr int KTGF_DONE = 0;
constexpr int KTGF_CANCELLED = 1;          // Cancel at "Overwrite ?", or the progress target answered 1
constexpr int KTGF_NOT_OVERWRITTEN = 2;    // No at "Overwrite ?" (single-file operations)
constexpr int KTGF_FAILED = -1;            // a system call failed; (listings) the folder does not exist
constexpr int KTGF_NO_TARGET_DIR = -2;     // the target folder does not exist and may not be created
constexpr int KTGF_RENAME_FAILED = -2001;
constexpr int KTGF_INVALID_PATH = -2002;   // invalid path or name, or the source does not exist
constexpr int KTGF_EXISTS = -2003;         // the file exists and may not be overwritten
constexpr int KTGF_CREATE_FAILED = -2004;  // the target could not be created (also: it is the source)
constexpr int KTGF_DELETE_FAILED = -2005;
constexpr int KTGF_OPEN_FAILED = -2006;    // the source could not be opened, or access was denied
constexpr int KTGF_MOVE_FAILED = -2009;    // a move within one file system failed

class KTGF
{
public:
    virtual ~KTGF() = default;

    // ==== Text ===================================================================================

    // True when the text is empty after white space is removed at both ends.
    static BOOL IsEmpty(LPCTSTR text);
    // Length in bytes.
    static int GetLength(LPCTSTR text);
    // Removes white space at both ends, in place.
    static void Trim(CString& text);

    // UTF-8 to wide characters (code points). Returns the wide characters written including the
    // terminator; with a null buffer the number needed; 0 when the buffer is too small.
    static int MultiToWide(LPCTSTR text, wchar_t* wide, int wideLength);
    // Wide characters to UTF-8. Returns the bytes written including the terminator; with a null
    // buffer the number needed; 0 when the buffer is too small (nothing is cut mid-character).
    static int WideToMulti(const wchar_t* wide, LPTSTR text, int textLength);

    // Number of characters.
    static int TextCount(LPCTSTR text);
    // The first / last n characters; a text of at most n characters comes back whole.
    static CString LeftText(LPCTSTR text, int n);
    static CString RightText(LPCTSTR text, int n);
    // Every character followed by "\n".
    static CString VertText(LPCTSTR text);
    // At most `width` characters: a longer text keeps width - 3 characters and gets "...";
    // a width below 4 gives "...".
    static CString AbbreviateText(LPCTSTR text, int width);
    static void AbbreviateText(CString& out, LPCTSTR text, int width);
    // The text cut to at most `limit` bytes on a character boundary; 0 gives empty text,
    // -1 (or a limit not below the length) keeps the whole text.
    static CString CompleteString(LPCTSTR text, int limit);

    // Index of the first entry equal to the text (byte-exact with the flag, else ignoring
    // case); -1 when none.
    static int FindString(const CStringArray& list, LPCTSTR text, BOOL caseSensitive);
    // Sorts ignoring case by insertion: each entry goes before the first placed entry that does
    // not order before it, so equal entries end up in the reverse order of their arrival.
    static void SortString(CStringArray& list, BOOL ascending);
    // Empties the list and splits the text into it; returns the number of entries.
    // tokenize: the delimiter is a set of characters and runs of them cut the text (no empty
    // entries). Otherwise the delimiter is one whole string and empty entries are kept:
    // "a,,b" gives a, "", b; "a," gives a, ""; "a,," gives a, "".
    static int SplitText(LPCTSTR text, LPCTSTR delimiter, BOOL tokenize, CStringArray& list);
    // Splits a command line at blanks, keeping "quoted groups" together without their quotes.
    static int SplitCmdLine(LPCTSTR text, CStringArray& list);

    // The number text with "," between groups of three digits of its integer part. A leading
    // sign stays in front of the digits: -123456 gives -123,456.
    static CString CommaString(LPCTSTR text);
    static CString CommaString(LONGLONG value);
    // Only the characters "0" to "9", in order.
    static CString ExtractNumber(LPCTSTR text);
    // The system's description of a classic error number, trimmed; empty when it has none.
    static CString FormatMsg(DWORD errorCode);

    // ==== String table ===========================================================================

    // The text of `id` from the current resource module, then the chain of loaded modules;
    // empty text when none has it.
    static CString GetString(UINT id);

    // ==== Paths ==================================================================================
    //
    // Drives: Linux has none, so the drive part of a split path is always empty and
    // ExtractDrive gives the root "/".
    // Validity: a file name may hold none of  \ ? | > < : / * "  and a folder part none of
    // them but the separator "/". The backslash is no separator here, so it is simply one of
    // the refused characters.

    // Splits a path into drive (always empty), folder with its leading and trailing "/", name
    // without extension and extension with its leading ".". A name that only starts with a
    // "." (".profile") has no extension.
    static void SplitPath(LPCTSTR path, CString* drive, CString* dir, CString* name, CString* ext);
    // Appends "/" unless the path already ends with one (an empty path becomes "/").
    static void AddPathSep(CString& path);
    // Removes one trailing "/"; the root "/" itself stays.
    static void DelPathSep(CString& path);
    // The root "/".
    static CString ExtractDrive(LPCTSTR path);
    // The folder part, ending with "/" when the path has one; empty for a bare name.
    static CString ExtractDir(LPCTSTR path);
    static CString ExtractName(LPCTSTR path, BOOL withExt = TRUE);
    static CString ExtractExt(LPCTSTR path, BOOL withDot = TRUE);
    // Joins folder and name with exactly one "/"; a blank folder means the program's folder,
    // a blank name gives the folder as given.
    static CString MakePath(LPCTSTR folder, LPCTSTR name);
    // The folder of the module's file ending with "/" (null: the program itself); empty when
    // the file name cannot be had.
    static CString GetModulePath(HMODULE module = nullptr);
    // The system's library folder ending with "/".
    static CString GetSystemDir();
    // The temporary folder ($TMPDIR, else /tmp) ending with "/".
    static CString GetSystemTempDir();
    // Shortens a path for display to at most `maxLength` bytes: the first folder, "/..." and as
    // many trailing components as fit; see KTGFPath.cpp. Works in place.
    static void AbbreviatePath(LPTSTR path, int maxLength, BOOL keepName);
    static void AbbreviatePath(CString& path, int maxLength, BOOL keepName);
    static BOOL IsValidFileName(LPCTSTR name);
    static BOOL IsValidPathName(LPCTSTR path);
    // 0 when the path is valid; otherwise removes every refused character but "/" and gives 1.
    static int GetValidPathName(CString& path);

    // ==== Files and folders: tests and sizes =====================================================
    //
    // Read-only means that nobody may write the file (the platform's read-only attribute).
    // Listings skip "." and "..", give full paths and come in name order; a pattern is a classic
    // wildcard ("*.*" matches every name), case-sensitive like the file names. A symbolic link to
    // a file counts as a file; one to a folder is neither listed nor followed.

    static BOOL IsFile(LPCTSTR path);
    static BOOL IsDir(LPCTSTR path);
    static BOOL IsExist(LPCTSTR path);
    // True when the folder and its direct subfolders hold no file; false when it does not exist.
    static BOOL IsDirEmpty(LPCTSTR folder);
    // True for "/" and for the top folder of a mounted file system.
    static BOOL IsDriveRoot(LPCTSTR path);
    // True when the path lies on a mounted CD or DVD (iso9660 or udf).
    static BOOL IsCDRomDrive(LPCTSTR path);
    static BOOL IsReadOnly(LPCTSTR path);
    // The mount folder (ending with "/") of the index-th mounted CD or DVD; empty when none.
    static CString GetCDROMDrive(SHORT index);
    // -2002 when the path does not exist, else 0.
    static int SetReadOnly(LPCTSTR path, BOOL readOnly);
    // SetReadOnly on every file of the tree, then (includeFolder) on the folder itself; the first
    // negative result stops it. -2002 when the folder does not exist.
    static int SetReadOnlyDir(LPCTSTR folder, BOOL readOnly, BOOL includeFolder);
    // Bytes (or KB, shifted by 10 bits), at most 0xFFFFFFFF; 0 when the file does not exist.
    static DWORD GetFileSize(LPCTSTR path, BOOL inKB);
    // Sum of the sizes of the matching files; folders and files go to the lists when given;
    // with recurse every matching folder is entered. -1 when the folder does not exist.
    static LONGLONG GetDirInfo(LPCTSTR folder, LPCTSTR pattern, CStringArray* folders, CStringArray* files,
                               BOOL recurse);
    static LONGLONG GetDirSize(LPCTSTR folder, BOOL inKB, BOOL recurse);
    // Free bytes (KB with the flag) of the file system holding the path or its nearest existing
    // folder (null or blank: the home folder); -1 on failure.
    static LONGLONG GetDriveFreeSpace(LPCTSTR path, BOOL inKB);
    // Total bytes, then free bytes; 1, or 0 with the outputs untouched.
    static BOOL GetDriveFreeSpaceEx(LPCTSTR path, ULONGLONG& total, ULONGLONG& freeBytes);
    // Number of files matching the pattern (null: "*.*"), listed when a list is given; with the
    // flag also the matching files of each matching subfolder, one level deep. -1 when the folder
    // does not exist.
    static int GetDirFiles(LPCTSTR folder, LPCTSTR pattern, CStringArray* files, BOOL subfolders);
    // Number of subfolders (all depths with recurse), appended to the list when given; -1 when
    // the folder does not exist.
    static int GetSubDirList(LPCTSTR folder, CStringArray* folders, BOOL recurse);

    // ==== Files and folders: creating, renaming, copying, moving, deleting ======================
    //
    // No operation replaces an existing file by renaming onto it. Long operations report to an
    // optional progress target (KTCallBack) and stop when it answers 1; a copy that fails or is
    // cancelled leaves no partial target behind.

    // Creates an empty file (an existing one is emptied when overwrite is set, else -2003); with
    // makeFolder its folder first. -2004 (after telling the user why) when it cannot be created.
    static int CreateFileA(LPCTSTR path, BOOL makeFolder, BOOL overwrite);
    // Creates the folder and every missing parent: 0 when it exists afterwards, -2002 for an
    // invalid path, -1 on failure.
    static int CreateDir(LPCTSTR path);
    // Renames within the folder: 0; -2002 no such file or invalid name; -2003 the new name is
    // taken; -2006 access denied; -2001 otherwise. RenameDir the same for a folder.
    static int RenameFile(LPCTSTR path, LPCTSTR newName);
    static int RenameDir(LPCTSTR folder, LPCTSTR newName);
    // Deletes plainly or into the desktop trash, never asking: 0 or -1.
    static int DeleteFileA(LPCTSTR path, BOOL recycle);
    // Removes a tree of folders that holds no file: 0; -2002 not a folder or not empty; -2005.
    static int DeleteDir(LPCTSTR folder);
    // Copies one file in blocks, pumping one waiting message after each full block. Asks
    // "Overwrite ?" when ask is set and the target exists (Cancel 1, No 2). 0; -2 target folder
    // missing without makeFolder; -2002; -2004 target not created or the same file as the
    // source; -2006 source not opened; -1 a read or write failed.
    static int CopyFileA(LPCTSTR source, LPCTSTR target, BOOL ask, BOOL makeFolder, KTCallBack* progress = nullptr);
    // Moves one file: renamed within a file system, else copied and the source deleted after the
    // copy succeeded. Yes to "Overwrite ?" replaces the target by copying over it.
    static int MoveFileA(LPCTSTR source, LPCTSTR target, BOOL ask, KTCallBack* progress = nullptr);
    // Copies or moves files and folder trees into the target folder, keeping each path below its
    // base folder. The list is sorted in place.
    static int CopyMulti(CStringArray& list, LPCTSTR target, LPCTSTR pattern, BOOL ask, KTCallBack* progress = nullptr);
    static int MoveMulti(CStringArray& list, LPCTSTR target, LPCTSTR pattern, BOOL ask, KTCallBack* progress = nullptr);
    // Deletes the files and the files of each folder (one level of subfolders), then the emptied
    // folders; -2005 when a file or a gathered folder could not be removed.
    static int DeleteMulti(CStringArray& list, LPCTSTR pattern, BOOL recycle, KTCallBack* progress = nullptr);
    // The source folder's contents into the target folder (created when missing).
    static int CopyDir(LPCTSTR source, LPCTSTR target, LPCTSTR pattern, BOOL ask, KTCallBack* progress = nullptr);
    static int MoveDir(LPCTSTR source, LPCTSTR target, LPCTSTR pattern, BOOL ask, KTCallBack* progress = nullptr);
    // wholeFolder: DeleteMulti of the folder itself; otherwise of its direct subfolders (with
    // withSubfolders) and its files matching the pattern.
    static int DeleteDirFiles(LPCTSTR folder, LPCTSTR pattern, BOOL recycle, BOOL wholeFolder, BOOL withSubfolders,
                              KTCallBack* progress = nullptr);

    // ==== Dates ==================================================================================
    //
    // "Now" is the local current time. Month and year arithmetic always lands on a real date: a
    // day the target month lacks becomes its last day. A date that is not valid gives an
    // invalid result.

    // 0 for a null (or invalid) birth date; without the flag the counting age (this year - birth
    // year + 1), with it the completed years.
    static int CalcAge(const COleDateTime& birth, BOOL completed);
    // The range of birth dates that give `age` today (see CalcAge); both at 01:01:01.
    static void CalcBirth(int age, COleDateTime& from, COleDateTime& to, BOOL completed);
    static COleDateTime CalcDate_Day(const COleDateTime& date, int days);
    // Any signed number of months; the years carry as often as needed.
    static COleDateTime CalcDate_Month(const COleDateTime& date, int months);
    static COleDateTime CalcDate_Year(const COleDateTime& date, int years);
    // "YYYYMMDD" or, with the flag, "YYYYMMDDhhmmss"; a shorter text gives the zero date
    // (30 December 1899), numbers that form no date an invalid one.
    static COleDateTime DateFromString(LPCTSTR text, BOOL withTime);
    // Formatted with strftime codes; a blank format gives the compact form above.
    static CString StringFromDate(const COleDateTime& date, LPCTSTR format, BOOL withTime);

    // ==== Colours and pictures ===================================================================

    // A 3-D frame in the system's 3-D colours. Raised: highlight top-left, shadow bottom-right,
    // and (unless thin) one pixel inside light top-left, dark shadow bottom-right. Sunken: the
    // same colours the other way round.
    static void Draw3DFrame(CDC* dc, const CRect& rect, BOOL thin, BOOL raised);

    // Each of red, green and blue lowered / raised by `amount`, kept within 0..255.
    static COLORREF GetColorDark(COLORREF colour, int amount);
    static COLORREF GetColorLight(COLORREF colour, int amount);
    // The largest rectangle of the picture's aspect ratio centred in the area; with noEnlarge
    // never larger than the picture. Empty for an empty area or picture.
    static CRect GetDrawRect(const CRect& area, const CSize& size, BOOL noEnlarge);

    // ==== Messages =================================================================================

    // Removes, translates and dispatches one waiting message of the calling thread into `msg`
    // (may be null); does nothing when none waits, and never waits. True when one was handled.
    static BOOL PeekMsg(MSG* msg);

    // ==== Byte order and byte spreading ==========================================================

    // Reverses the bytes in place: 0, or -2 for a null buffer or a length below 2.
    static int InvertByte(BYTE* buffer, int length);
    static BOOL IsHostBigEndian();
    // Network (big-endian) order: unchanged on a big-endian host, else InvertByte.
    static int HostToNetwork(BYTE* buffer, int length);
    // Spreads each byte into the middle of a block of `width` filler bytes, and back. Both give
    // the output length (with a null target: the length needed), 0 for a width below 3, a
    // target too small or (Decrypt) a length that is no multiple of the width.
    static int Encrypt(const BYTE* source, int length, BYTE* target, int targetSize, int width);
    static int Decrypt(const BYTE* source, int length, BYTE* target, int targetSize, int width);
};
