#include "base/std_file_system.h"

#include <chrono>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "base/error.h"
#include "base/utf8_path.h"

namespace varnel::base {

namespace fs = std::filesystem;

namespace {

void checkTarget(const fs::path& target, const std::string& path) {
  if (path.empty() || !target.has_filename()) throw errors::fileAccess(path, "no file name");
  std::error_code ec;
  const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
  if (!fs::is_directory(folder, ec)) throw Error(errors::kPathNotFound, "Path not found: " + path);
  const auto status = fs::status(target, ec);
  if (fs::is_directory(status)) throw errors::fileAccess(path, "it is a folder");
  if (fs::exists(status) && (status.permissions() & fs::perms::owner_write) == fs::perms::none)
    throw Error(errors::kPermissionDenied, "Permission denied: " + path + " is read-only");
}

fs::path temporaryBeside(const fs::path& target) {
  fs::path temporary = target;
  temporary += ".varnel-tmp";
  return temporary;
}

}  // namespace

void StdFileSystem::checkWritable(const std::string& path) {
  const fs::path target = pathOf(path);
  checkTarget(target, path);
  // Only a try tells whether the folder takes a new file (rights, a full or
  // read-only drive); the try leaves nothing behind.
  const fs::path probe = temporaryBeside(target);
  std::ofstream out(probe, std::ios::binary | std::ios::trunc);
  const bool created = out.is_open();
  out.close();
  std::error_code ignored;
  fs::remove(probe, ignored);
  if (!created) throw errors::fileAccess(path, "its folder does not take new files");
}

std::string StdFileSystem::readFile(const std::string& path) {
  std::ifstream in(pathOf(path), std::ios::binary);
  if (!in) throw errors::fileNotFound(path);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::string StdFileSystem::lastWrittenDate(const std::string& path) {
  std::error_code ec;
  const fs::file_time_type written = fs::last_write_time(pathOf(path), ec);
  if (ec) return {};
  const std::time_t when = std::chrono::system_clock::to_time_t(
      std::chrono::time_point_cast<std::chrono::system_clock::duration>(
          std::chrono::file_clock::to_sys(written)));
  const std::tm* local = std::localtime(&when);
  char date[16];
  if (!local || !std::strftime(date, sizeof date, "%Y-%m-%d", local)) return {};
  return date;
}

bool StdFileSystem::exists(const std::string& path) {
  std::error_code ec;
  return fs::exists(pathOf(path), ec);
}

void StdFileSystem::replaceFile(const std::string& path, const std::string& content) {
  const fs::path target = pathOf(path);
  checkTarget(target, path);
  const fs::path temporary = temporaryBeside(target);
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    out.close();
    if (!out) {
      std::error_code ignored;
      fs::remove(temporary, ignored);
      throw errors::fileAccess(path, "the file could not be written");
    }
  }
  std::error_code ec;
  fs::rename(temporary, target, ec);
  if (ec) {
    std::error_code ignored;
    fs::remove(temporary, ignored);
    throw errors::fileAccess(path, ec.message());
  }
}

void StdFileSystem::deleteFile(const std::string& path) {
  std::error_code ec;
  if (!fs::remove(pathOf(path), ec)) {
    if (ec) throw errors::fileAccess(path, ec.message());
    throw errors::fileNotFound(path);
  }
}

std::string StdFileSystem::tempFolder() {
  const std::u8string folder = (fs::temp_directory_path() / "").u8string();
  return std::string(folder.begin(), folder.end());
}

}  // namespace varnel::base
