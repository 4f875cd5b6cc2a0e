#pragma once

namespace textline {

// Given count bytes read into buffer (of max bytes) for a line, terminates the line in place
// and returns how many bytes it takes from the file: up to and including the first newline,
// or max - 1 bytes when none fits (the rest continues as the next line). The newline itself
// is not kept; newlineFound tells whether one was met.
int Terminate(char* buffer, int count, int max, bool& newlineFound);

}  // namespace textline
