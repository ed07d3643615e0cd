// Walking and searching an identified-element run never reads past its length: the run is
// an exact-size heap block, every element the walker reports is checked against the run's
// bytes, and the bounded search must find exactly the first walked element that matches.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "vertalib/fields.h"

namespace {

struct Walked {
  std::string id;  // the identifier's characters
  ElementoID record;
};

void check_record(const ElementoID &r, const char *at, size_t idWidth, size_t lenWidth) {
  for (size_t i = 0; i < 4; ++i)
    if (r.id[i] != (i < idWidth ? at[i] : 0)) __builtin_trap();
  if (r.length < 0) __builtin_trap();
  const size_t copied = r.length < 999 ? static_cast<size_t>(r.length) : 999;
  const char *data = at + idWidth + lenWidth;
  for (size_t i = 0; i < 999; ++i)
    if (r.data[i] != (i < copied ? data[i] : 0)) __builtin_trap();
}

std::vector<Walked> walk(const std::vector<char> &run, int idWidth, int lenWidth) {
  std::vector<Walked> elements;
  const int length = static_cast<int>(run.size());
  int position = 0;
  Walked w{};
  while (FindFirstElementoID(idWidth, lenWidth, length, run.data(), &w.record, &position) == 1) {
    elements.push_back(w);
    if (elements.size() > run.size()) __builtin_trap();  // the walk must move on
  }
  // Replay: each element starts where the previous one's copied data ended.
  size_t at = 0;
  for (Walked &e : elements) {
    const ElementoID &r = e.record;
    const size_t header = static_cast<size_t>(idWidth + lenWidth);
    if (at + header >= run.size() || at + header + static_cast<size_t>(r.length) > run.size()) __builtin_trap();
    check_record(r, run.data() + at, static_cast<size_t>(idWidth), static_cast<size_t>(lenWidth));
    e.id.assign(run.data() + at, static_cast<size_t>(idWidth));
    at += header + (r.length < 999 ? static_cast<size_t>(r.length) : 999);
  }
  if (at != static_cast<size_t>(position)) __builtin_trap();
  return elements;
}

int wanted_identifier(const std::vector<Walked> &elements, uint8_t choice) {
  if (elements.empty() || (choice & 1) != 0) return choice >> 1;
  const std::string &id = elements[choice % elements.size()].id;
  int value = 0;
  for (char c : id) {
    if (c < '0' || c > '9') return choice >> 1;
    value = value * 10 + (c - '0');
  }
  return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  if (size < 3 || size > 4096) return 0;
  const int idWidth = data[0] % 5;
  const int lenWidth = 1 + data[1] % 6;  // a header of at least one byte keeps the walk moving
  const std::vector<char> run(data + 3, data + size);
  const std::vector<Walked> elements = walk(run, idWidth, lenWidth);

  const int identifier = wanted_identifier(elements, data[2]);
  char wanted[16];
  std::snprintf(wanted, sizeof wanted, "%0*d", idWidth, identifier);
  const Walked *expected = nullptr;
  for (const Walked &e : elements) {
    if (std::memcmp(e.id.data(), wanted, static_cast<size_t>(idWidth)) == 0) {
      expected = &e;
      break;
    }
  }
  ElementoID found;
  std::memset(&found, 0x5A, sizeof found);
  const int result =
      FindElementoIDEx(identifier, idWidth, lenWidth, static_cast<int>(run.size()), run.data(), &found);
  if (result != (expected != nullptr ? 1 : 0)) __builtin_trap();
  const ElementoID *last = expected != nullptr ? &expected->record
                                               : (elements.empty() ? nullptr : &elements.back().record);
  if (last != nullptr && std::memcmp(&found, last, offsetof(ElementoID, data) + 999) != 0) __builtin_trap();
  return 0;
}
