// The part of kernel32 the program calls: files, events and waits, threads, the system tick count,
// debug output, global memory and the profile (INI) functions. File names are Windows-style (see
// file_names.h).
#pragma once

#include "platform/api/types.h"

// Files
inline constexpr DWORD GENERIC_READ = 0x80000000u;
inline constexpr DWORD GENERIC_WRITE = 0x40000000u;
inline constexpr DWORD FILE_SHARE_READ = 0x00000001u;
inline constexpr DWORD FILE_SHARE_WRITE = 0x00000002u;
// CREATE_NEW never opens an existing name, and a symbolic link is one, even when it points
// nowhere: a file it creates is always a new one.
inline constexpr DWORD CREATE_NEW = 1;
inline constexpr DWORD CREATE_ALWAYS = 2;
inline constexpr DWORD OPEN_EXISTING = 3;
inline constexpr DWORD OPEN_ALWAYS = 4;
inline constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x00000080u;
// Whatever the disposition, a symbolic link at the name is not followed: the open fails.
inline constexpr DWORD FILE_FLAG_OPEN_REPARSE_POINT = 0x00200000u;
inline constexpr DWORD FILE_BEGIN = 0;
inline constexpr DWORD FILE_CURRENT = 1;
inline constexpr DWORD FILE_END = 2;
inline constexpr DWORD INVALID_SET_FILE_POINTER = 0xFFFFFFFFu;
inline constexpr DWORD INVALID_FILE_SIZE = 0xFFFFFFFFu;

HANDLE CreateFileA(LPCSTR name, DWORD access, DWORD shareMode, LPVOID security, DWORD disposition,
                   DWORD flagsAndAttributes, HANDLE templateFile);
BOOL ReadFile(HANDLE file, LPVOID buffer, DWORD toRead, LPDWORD read, LPVOID overlapped);
BOOL WriteFile(HANDLE file, LPCVOID buffer, DWORD toWrite, LPDWORD written, LPVOID overlapped);
DWORD SetFilePointer(HANDLE file, LONG distance, LPLONG distanceHigh, DWORD method);
DWORD GetFileSize(HANDLE file, LPDWORD sizeHigh);
BOOL DeleteFileA(LPCSTR name);
// Writes everything the file has been given through to the disk.
BOOL FlushFileBuffers(HANDLE file);
inline constexpr DWORD MOVEFILE_REPLACE_EXISTING = 0x00000001u;
inline constexpr DWORD MOVEFILE_WRITE_THROUGH = 0x00000008u;
// Renames a file; with MOVEFILE_REPLACE_EXISTING an existing target is replaced in one step, so a
// reader sees either the old file or the new one, never a mixture. Without it, a name already
// taken, even by a link that points nowhere, is refused.
BOOL MoveFileExA(LPCSTR existingName, LPCSTR newName, DWORD flags);
// Closes any handle: files, events and threads.
BOOL CloseHandle(HANDLE handle);
// Why CreateFileA last failed on this thread: ERROR_FILE_NOT_FOUND when nothing is at the name,
// ERROR_ACCESS_DENIED for every other reason (no right to read it, a folder, a failing disk).
inline constexpr DWORD ERROR_FILE_NOT_FOUND = 2;
inline constexpr DWORD ERROR_ACCESS_DENIED = 5;
DWORD GetLastError();

// Whole-file locks between processes: the range is not looked at, the whole file is locked.
// Without LOCKFILE_FAIL_IMMEDIATELY the call waits for the lock. Closing the handle releases it.
struct OVERLAPPED {
    DWORD Offset;
    DWORD OffsetHigh;
    HANDLE hEvent;
};
using LPOVERLAPPED = OVERLAPPED*;
inline constexpr DWORD LOCKFILE_FAIL_IMMEDIATELY = 0x00000001u;
inline constexpr DWORD LOCKFILE_EXCLUSIVE_LOCK = 0x00000002u;
BOOL LockFileEx(HANDLE file, DWORD flags, DWORD reserved, DWORD bytesLow, DWORD bytesHigh, LPOVERLAPPED overlapped);
BOOL UnlockFileEx(HANDLE file, DWORD reserved, DWORD bytesLow, DWORD bytesHigh, LPOVERLAPPED overlapped);

// Events, waits and threads
inline constexpr DWORD INFINITE = 0xFFFFFFFFu;
inline constexpr DWORD WAIT_OBJECT_0 = 0x00000000u;
inline constexpr DWORD WAIT_ABANDONED = 0x00000080u;
inline constexpr DWORD WAIT_TIMEOUT = 0x00000102u;
inline constexpr DWORD WAIT_FAILED = 0xFFFFFFFFu;
inline constexpr DWORD MAXIMUM_WAIT_OBJECTS = 64;
inline constexpr DWORD STILL_ACTIVE = 259;

inline constexpr int THREAD_PRIORITY_IDLE = -15;
inline constexpr int THREAD_PRIORITY_LOWEST = -2;
inline constexpr int THREAD_PRIORITY_BELOW_NORMAL = -1;
inline constexpr int THREAD_PRIORITY_NORMAL = 0;
inline constexpr int THREAD_PRIORITY_ABOVE_NORMAL = 1;
inline constexpr int THREAD_PRIORITY_HIGHEST = 2;
inline constexpr int THREAD_PRIORITY_TIME_CRITICAL = 15;

using LPTHREAD_START_ROUTINE = DWORD (*)(LPVOID);

HANDLE CreateEventA(LPVOID security, BOOL manualReset, BOOL initialState, LPCSTR name);
BOOL SetEvent(HANDLE event);
BOOL ResetEvent(HANDLE event);
// A thread handle is signalled once its thread has ended. The lowest signalled index wins.
DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds);
DWORD WaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL waitAll, DWORD milliseconds);
HANDLE CreateThread(LPVOID security, SIZE_T stackSize, LPTHREAD_START_ROUTINE start, LPVOID parameter,
                    DWORD creationFlags, LPDWORD threadId);
BOOL SetThreadPriority(HANDLE thread, int priority);
int GetThreadPriority(HANDLE thread);
BOOL GetExitCodeThread(HANDLE thread, LPDWORD exitCode);
DWORD GetCurrentThreadId();

// Processor time and start time. Only the calling thread and process can be asked, through the
// pseudo-handles below. Creation is the start as a time of day (to 10 ms), exit is 0, kernel and
// user are processor time in 100 ns steps, exact in their sum.
HANDLE GetCurrentProcess();
HANDLE GetCurrentThread();
BOOL GetProcessTimes(HANDLE process, FILETIME* creation, FILETIME* exit, FILETIME* kernel, FILETIME* user);
BOOL GetThreadTimes(HANDLE thread, FILETIME* creation, FILETIME* exit, FILETIME* kernel, FILETIME* user);

// Time
DWORD GetTickCount();
void Sleep(DWORD milliseconds);
void GetSystemTimeAsFileTime(FILETIME* time);
// The real time of day to the microsecond or better, also under virtual time: for measuring.
void GetSystemTimePreciseAsFileTime(FILETIME* time);

// Debugging: the text goes to the scripted runner's log under the headless backend, nowhere else.
void OutputDebugStringA(LPCSTR text);

// Global memory: a movable block is reached through GlobalLock.
inline constexpr UINT GMEM_FIXED = 0x0000;
inline constexpr UINT GMEM_MOVEABLE = 0x0002;
inline constexpr UINT GMEM_ZEROINIT = 0x0040;
HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes);
LPVOID GlobalLock(HGLOBAL memory);
BOOL GlobalUnlock(HGLOBAL memory);
HGLOBAL GlobalFree(HGLOBAL memory);

// Profile (INI) files
DWORD GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR defaultValue, LPSTR returned, DWORD size,
                               LPCSTR fileName);
BOOL WritePrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR fileName);
