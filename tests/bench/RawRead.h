// The yardstick of the benchmarks: the plainest reads the system offers (fopen/fread here,
// CreateFile/ReadFile on Windows), so a query's time can be set against the time its bytes
// alone take to come from the page cache.
#pragma once
#include <cstddef>
#include <string>

// The separator of the paths that the raw side opens.
extern const char RawPathSeparator;
// Reads the whole file into a buffer kept between calls; gives the number of bytes, 0 for a
// file that cannot be opened.
size_t RawReadFile(const std::string& path);
// Lists the directory once; gives the number of names it holds.
size_t RawListDirectory(const std::string& directory);
