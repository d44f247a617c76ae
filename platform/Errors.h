// The one failure type of the program: a message meant for the user's error box.
// Failures travel as exceptions inside a module and never cross the library boundary.
#pragma once
#include <stdexcept>
#include <string>

class VelmoraError : public std::runtime_error {
  public:
    explicit VelmoraError(const std::string& message) : std::runtime_error(message) {}
};

// Raised when a stored number lies outside the range its field can hold.
class RangeError : public VelmoraError {
  public:
    explicit RangeError(const std::string& message) : VelmoraError(message) {}
};

// Raised when a file that is there cannot be read now (held by another program, locked, a
// folder in its place); never to be taken for a missing or empty file.
class UnreadableFileError : public VelmoraError {
  public:
    explicit UnreadableFileError(const std::string& message) : VelmoraError(message) {}
};
