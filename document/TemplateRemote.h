// Templates on a web server: downloaded with a GET into the internet cache
// folder and opened, or saved to a temporary file and uploaded with a POST.
//
// A download counts only with status 200, at most kMaxTemplateDownloadBytes
// and, when the server declared a length, exactly that many bytes, within
// the time-outs and redirect limit of platform/Http.h; it is written under a temporary name and
// moved into place once complete, so nothing partial is ever left behind.
// The upload sends the file's bytes as they are (no multipart framing) under
// the multipart content type older servers of this system expect, with the
// file name as the query key "kivouploadfilename" (percent-encoded byte by byte).
#pragma once

#include "base/CString.h"
#include "base/WinTypes.h"

class CGridCtrl;

// The longest template a download takes: 64 MiB. Templates of real sheets,
// pictures included, run to a few MiB; the reply is held in memory while it
// arrives, then written and read back as a sheet, so a bound well above any
// real template keeps a hostile or broken server from exhausting the host
// process (a 32-bit one above all). A longer reply fails the download.
const long long kMaxTemplateDownloadBytes = 64LL * 1024 * 1024;

// 0 on success, -1 on any failure (the local file then untouched).
short DownloadToFile(LPCTSTR szUrl, LPCTSTR szLocalPath);
// The local name a URL is downloaded to: the text after the last "/" before
// the first "?" ("name.kvx" appended when a query follows), with every
// character that could leave the folder or that a file name cannot hold
// (a lead byte without its trail byte included) replaced by "_"; "" when the
// URL has no "/" after its first character, or the name would be empty or a
// reserved device name ("NUL", "con.kvx", "COM1" ...).
CString RemoteTemplateFileName(LPCTSTR szUrl);
// Downloads the URL into the internet cache folder and opens it
// (OpenTemplateFile); 0 for an empty or unusable URL or a failed download,
// the sheet then unchanged. A download that does not open is removed.
int OpenRemoteFile(CGridCtrl& grid, LPCTSTR szUrl, LPCTSTR szPassword);
// 1 (status 200), the HTTP status for another reply, 0 when the URL cannot
// be split, the local file cannot be read or is empty (nothing sent), or no
// reply arrived.
short UploadFile(CGridCtrl& grid, LPCTSTR szUrl, LPCTSTR szLocalPath, LPCTSTR szUploadName);
// Saves to a temporary file ("KIVOWEB" in the temporary folder) and uploads
// it; the upload's result (the temporary file deleted after a successful
// one), or the save's -1.
short SaveRemoteFile(CGridCtrl& grid, LPCTSTR szUrl, LPCTSTR szPassword, LPCTSTR szUploadName);
// "%XX" for every byte but letters, digits and "-._~".
CString PercentEncode(LPCTSTR szText);
