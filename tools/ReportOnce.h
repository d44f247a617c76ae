// Problems with a stored file are told once for each state of the file. The window asks
// the library for every day of the month at each layout, hover and minute, so a broken
// file would otherwise bring a box for every one of those calls.
#pragma once
#include <string>

// Shows message in an error box unless the user has already been told about this file in
// the state it is in now; a file that changes (size or write time) is told about again.
void ReportFileProblem(const std::string& path, const std::string& message);
