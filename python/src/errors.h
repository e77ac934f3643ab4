// The engine's failures as Python exceptions.
#pragma once

#include <pybind11/pybind11.h>

#include "tarvex.hpp"

namespace tarvex::python {

namespace py = pybind11;

// Creates the exception classes and adds them to the module.
void addExceptions(py::module_& module);

// The exception for an engine failure, not raised. filename is what the
// caller named the file (None for text); it stands in for the engine's file
// name when the failure concerns that file.
py::object exceptionFor(const Error& error, py::handle filename = py::none());

// Raises exceptionFor(error, filename).
[[noreturn]] void raise(const Error& error, py::handle filename = py::none());

// Raises DesignationError: a NACA designation that names no section.
[[noreturn]] void raiseDesignationError(const Error& error);

// A file name from the engine as Python spells it (undecodable bytes kept
// as surrogate escapes, as os.fsdecode does).
py::str fileNameText(const std::string& name);

// Text from a coordinate file: UTF-8 when it is valid UTF-8, else Latin-1,
// the two encodings the engine reads.
py::str inputText(std::string_view text);

}  // namespace tarvex::python
