#pragma once
// A growable block of bytes for whole files and table records: unlike a string,
// it does not clear the bytes that a read is about to fill, and it grows with
// realloc, which moves a large block without copying it.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string_view>
#include <utility>

namespace velmora {

class ByteBuffer {
 public:
  ByteBuffer() = default;
  ~ByteBuffer() { std::free(data_); }
  ByteBuffer(ByteBuffer&& other) noexcept
      : data_(std::exchange(other.data_, nullptr)),
        size_(std::exchange(other.size_, 0)),
        capacity_(std::exchange(other.capacity_, 0)) {}
  ByteBuffer& operator=(ByteBuffer&& other) noexcept {
    if (this != &other) {
      std::free(data_);
      data_ = std::exchange(other.data_, nullptr);
      size_ = std::exchange(other.size_, 0);
      capacity_ = std::exchange(other.capacity_, 0);
    }
    return *this;
  }
  ByteBuffer(const ByteBuffer&) = delete;
  ByteBuffer& operator=(const ByteBuffer&) = delete;

  char* data() { return data_; }
  const char* data() const { return data_; }
  std::size_t size() const { return size_; }
  std::size_t capacity() const { return capacity_; }
  std::string_view view() const { return std::string_view(data_, size_); }

  // New bytes are left as they are: the caller fills them.
  void resize(std::size_t size) {
    reserve(size);
    size_ = size;
  }

  void reserve(std::size_t capacity) {
    if (capacity <= capacity_) return;
    void* grown = std::realloc(data_, capacity);
    if (grown == nullptr) throw std::bad_alloc();
    data_ = static_cast<char*>(grown);
    capacity_ = capacity;
  }

  void append(const char* bytes, std::size_t n) {
    if (size_ + n > capacity_) reserve(std::max(size_ + n, capacity_ + capacity_ / 2 + 64));
    std::memcpy(data_ + size_, bytes, n);
    size_ += n;
  }

  // Gives the memory back.
  void release() {
    std::free(data_);
    data_ = nullptr;
    size_ = capacity_ = 0;
  }

 private:
  char* data_ = nullptr;
  std::size_t size_ = 0;
  std::size_t capacity_ = 0;
};

}  // namespace velmora
