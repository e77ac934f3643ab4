#include "errors.h"

#include <string>

namespace tarvex::python {
namespace {

// The classes live as long as the interpreter: a module is never unloaded.
PyObject* errorClass = nullptr;
PyObject* readErrorClass = nullptr;
PyObject* writeErrorClass = nullptr;
PyObject* fieldOverflowClass = nullptr;
PyObject* redistributionErrorClass = nullptr;
PyObject* sameFileClass = nullptr;
PyObject* designationErrorClass = nullptr;

PyObject* newClass(py::module_& module, const char* name, const char* doc, py::handle bases) {
  const std::string qualified = std::string("tarvex.") + name;
  PyObject* type = PyErr_NewExceptionWithDoc(qualified.c_str(), doc, bases.ptr(), nullptr);
  if (type == nullptr) throw py::error_already_set();
  module.add_object(name, py::reinterpret_borrow<py::object>(type));
  return type;
}

// The engine says "file: reason" for file errors; OSError puts the file
// name after the reason itself.
std::string withoutFilePrefix(const Error& error) {
  const std::string prefix = nameForMessage(error.file) + ": ";
  if (error.message.starts_with(prefix)) {
    return error.message.substr(prefix.size());
  }
  return error.message;
}

// A file name as the engine's messages show it.
py::str shownName(py::handle filename) {
  const auto bytes =
      py::reinterpret_steal<py::object>(PyUnicode_EncodeFSDefault(py::str(filename).ptr()));
  if (!bytes) throw py::error_already_set();
  return fileNameText(nameForMessage(std::string_view(
      PyBytes_AS_STRING(bytes.ptr()), static_cast<std::size_t>(PyBytes_GET_SIZE(bytes.ptr())))));
}

py::object engineFailure(PyObject* type, const Error& error, py::handle filename) {
  py::str reason = inputText(error.message);
  py::object text = filename.is_none() ? py::object(reason)
                                       : py::object(shownName(filename) + py::str(": ") + reason);
  py::object exception = py::reinterpret_borrow<py::object>(type)(text);
  exception.attr("reason") = reason;
  exception.attr("filename") = filename;
  return exception;
}

}  // namespace

void addExceptions(py::module_& module) {
  const py::handle exception = PyExc_Exception;
  const py::handle valueError = PyExc_ValueError;
  const py::handle osError = PyExc_OSError;
  errorClass =
      newClass(module, "Error",
               "Base class of the failures tarvex reports (file-system errors are OSError).\n\n"
               "Attributes: reason, the engine's sentence saying why; filename, the file concerned "
               "or None.",
               exception);
  const py::handle base = errorClass;
  readErrorClass = newClass(
      module, "ReadError",
      "The input holds no airfoil section: no coordinates in a known layout, or points that "
      "enclose no area. str() gives the file name (when there is one) and the reason.",
      py::make_tuple(base, valueError));
  writeErrorClass =
      newClass(module, "WriteError",
               "The section cannot be written in the chosen format with these options, for example "
               "surfaces that cannot be brought onto common x-stations.",
               py::make_tuple(base, valueError));
  fieldOverflowClass = newClass(
      module, "FieldOverflowError",
      "A number does not fit its fixed-width field in the output format; nothing was "
      "written. Write the section normalised (keep_size=False), with smaller scale factors "
      "or without comments.",
      py::make_tuple(py::handle(writeErrorClass)));
  redistributionErrorClass =
      newClass(module, "RedistributionError",
               "The section cannot be redistributed: its leading edge cannot be found, or the new "
               "points exceed what the engine holds.",
               py::make_tuple(base, valueError));
  designationErrorClass =
      newClass(module, "DesignationError",
               "The NACA designation names no section tarvex.naca() can make; the reason says "
               "why.",
               py::make_tuple(base, valueError));
  sameFileClass = newClass(
      module, "SameFileError",
      "The output file is one of the inputs (the same file under whatever name); it is left "
      "as it was.",
      py::make_tuple(base, osError));
}

py::str fileNameText(const std::string& name) {
  return py::reinterpret_steal<py::str>(
      PyUnicode_DecodeFSDefaultAndSize(name.data(), static_cast<Py_ssize_t>(name.size())));
}

py::str inputText(std::string_view text) {
  const auto size = static_cast<Py_ssize_t>(text.size());
  PyObject* decoded = PyUnicode_DecodeUTF8(text.data(), size, nullptr);
  if (decoded == nullptr) {
    PyErr_Clear();
    decoded = PyUnicode_DecodeLatin1(text.data(), size, nullptr);
  }
  if (decoded == nullptr) throw py::error_already_set();
  return py::reinterpret_steal<py::str>(decoded);
}

py::object exceptionFor(const Error& error, py::handle filename) {
  const py::object file = error.file.empty() ? py::reinterpret_borrow<py::object>(filename)
                                             : py::object(fileNameText(error.file));
  if (error.systemError != 0) {
    // OSError picks FileNotFoundError, IsADirectoryError, PermissionError
    // and so on from the number by itself.
    return py::reinterpret_borrow<py::object>(PyExc_OSError)(
        error.systemError, inputText(withoutFilePrefix(error)), file);
  }
  switch (error.status) {
    case Status::readFailed:
    case Status::noArea:
      return engineFailure(readErrorClass, error, filename);
    case Status::fieldOverflow:
      return engineFailure(fieldOverflowClass, error, filename);
    case Status::noThreeColumns:
    case Status::writeFailed:
      return engineFailure(writeErrorClass, error, filename);
    case Status::redistributionFailed:
      return engineFailure(redistributionErrorClass, error, filename);
    case Status::outputNotWritable: {
      // The only such failure without a system error number: the output is
      // an input. OSError would print "[Errno None]" once given a file name.
      py::object exception =
          py::reinterpret_borrow<py::object>(sameFileClass)(inputText(error.message));
      exception.attr("reason") = inputText(withoutFilePrefix(error));
      return exception;
    }
    case Status::badOptions:
      return py::reinterpret_borrow<py::object>(PyExc_ValueError)(inputText(error.message));
    case Status::inputNotFound:
    case Status::ok:
      break;
  }
  return engineFailure(errorClass, error, filename);
}

void raiseDesignationError(const Error& error) {
  const py::object exception = engineFailure(designationErrorClass, error, py::none());
  PyErr_SetObject(designationErrorClass, exception.ptr());
  throw py::error_already_set();
}

void raise(const Error& error, py::handle filename) {
  const py::object exception = exceptionFor(error, filename);
  PyErr_SetObject(reinterpret_cast<PyObject*>(Py_TYPE(exception.ptr())), exception.ptr());
  throw py::error_already_set();
}

}  // namespace tarvex::python
