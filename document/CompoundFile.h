// A compound file of one stream: version 3, 512-byte sectors, a stream under
// 4096 bytes kept in the mini stream. The same bytes on every build.
#pragma once

#include "base/WinTypes.h"

#include <cstdint>
#include <string>
#include <vector>

// The whole file holding `data` as the root's stream `name` (ASCII, at most
// 31 characters). An empty vector when the name is not usable.
std::vector<uint8_t> BuildCompoundFile(const std::string& name, const std::vector<uint8_t>& data);

// Writes bytes to a temporary file beside the path and renames it into
// place; on any failure the temporary file is removed, whatever was at the
// path stays, and the answer is FALSE.
BOOL WriteFileReplacing(LPCTSTR path, const std::vector<uint8_t>& bytes);
// The container BuildCompoundFile makes, written straight to a temporary file
// beside path (the stream is not copied into one buffer first) that then
// takes path's place. FALSE when nothing was replaced.
BOOL WriteCompoundFileReplacing(LPCTSTR path, const std::string& name, const std::vector<uint8_t>& data);
