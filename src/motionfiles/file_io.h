// The motion-file layer: reading a whole file into memory and writing one
// through a temporary file, for every motion-file reader and writer of the
// toolbox (BVH today; C3D, TRC, MOT, ASF/AMC build on the same layer, as
// do its siblings text_lines.h, decimal.h and file_error.h).
//
// Every file is opened here, in openFile, and nowhere else: a Windows build
// turns the UTF-8 names the hosts pass into wide names at this one place.
// Everything that holds a file or memory is RAII: an error (a FileError,
// or std::bad_alloc) unwinds through these objects and leaves nothing open
// and no temporary file behind.
#ifndef ROTKIT_MOTIONFILES_FILE_IO_H
#define ROTKIT_MOTIONFILES_FILE_IO_H

#include <cstddef>
#include <cstdio>
#include <memory>
#include <string>

namespace motionfiles {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

// Opens `path` (UTF-8) in binary mode: "rb" or "wb". Null when it cannot.
FileHandle openFile(const std::string& path, const char* mode);

// A file's bytes, with one zero byte after them (so a scan may stop at it
// without a bounds test).
class FileBytes {
 public:
  const char* data() const { return data_.get(); }
  std::size_t size() const { return size_; }
  // Gives the memory back early (a reader that has taken what it needs).
  void release() {
    data_.reset();
    size_ = 0;
  }

 private:
  friend FileBytes readWholeFile(const std::string& path);
  std::unique_ptr<char[]> data_;
  std::size_t size_ = 0;
};

// Reads all of `path`. Throws FileError (reason "cannotOpen", no line) when
// the file cannot be opened or read.
FileBytes readWholeFile(const std::string& path);

// Writes a file in one go or not at all: the bytes go to a temporary file
// beside `path` (the same folder, so the rename cannot cross devices), and
// commit() renames it onto `path`. A writer destroyed before commit(), by
// an error or otherwise, removes the temporary file: `path` is never left
// half written, and is as it was.
class AtomicFile {
 public:
  // Throws FileError (reason "cannotWrite") when no file can be made in
  // the folder of `path`.
  explicit AtomicFile(const std::string& path);
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;
  ~AtomicFile();

  // Appends bytes. Throws FileError ("cannotWrite") when the system refuses
  // them (a full disk).
  void write(const char* data, std::size_t size);
  // Closes the temporary file and renames it onto the target. Throws
  // FileError ("cannotWrite") when either fails.
  void commit();

 private:
  std::string path_;
  std::string temporary_;
  FileHandle file_;
  bool committed_ = false;
};

} // namespace motionfiles

#endif
