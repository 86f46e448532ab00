#pragma once
// Helpers shared by the table engine's tests: a temporary folder per test,
// raw file bytes, and running a witness program.
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "support/carpeta_temporal.h"
#include "support/shell_quote.h"

namespace velmora::testing {

using DbfTempFolder = CarpetaTemporal;

inline std::string ReadFileBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteFileBytes(const std::filesystem::path& file, const std::string& bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

struct CommandResult {
  int status = -1;
  std::string output;  // standard output
};

// Runs a shell command and collects its standard output.
inline CommandResult RunCommand(const std::string& command) {
  CommandResult result;
  FILE* pipe = ::popen(command.c_str(), "r");
  if (!pipe) return result;
  char buf[4096];
  std::size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, pipe)) > 0) result.output.append(buf, n);
  result.status = ::pclose(pipe);
  return result;
}

}  // namespace velmora::testing
