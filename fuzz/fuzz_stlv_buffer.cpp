// Reads any text as an STLV buffer (its length word telling the text's true size), writes
// the list back and reads that again: every element with data comes back with the same
// data. (An element whose data starts with a NUL is written with length 0, which reads
// back as a deletion.)
#include <cstdint>
#include <cstring>
#include <vector>

#include "vertalib/tlv.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  std::vector<char> buffer(4 + size + 1, '\0');
  const auto length = static_cast<uint32_t>(size);
  for (int i = 0; i < 4; ++i) buffer[static_cast<size_t>(i)] = static_cast<char>(length >> (8 * i));
  if (size > 0) std::memcpy(buffer.data() + 4, data, size);

  STLV_Lista list;
  if (STLV_CriaListaFromBuffer(&list, buffer.data()) == 1 && list.count > 0) {
    size_t needed = 20;
    for (const STLV_Elemento *e = list.first; e != nullptr; e = e->next)
      needed += 4 + static_cast<size_t>(e->length);
    std::vector<char> written(needed, '\0');
    if (STLV_MontaBufferFromLista(&list, written.data()) != 1) __builtin_trap();
    STLV_Lista reread;
    if (STLV_CriaListaFromBuffer(&reread, written.data()) != 1) __builtin_trap();
    for (const STLV_Elemento *e = list.first; e != nullptr; e = e->next) {
      if (e->data[0] == '\0') continue;
      const STLV_Elemento *again = STLV_BuscaLista(&reread, e->id);
      if (again == nullptr || std::strcmp(again->data, e->data) != 0) __builtin_trap();
    }
    STLV_EsvaziaLista(&reread);
  }
  STLV_EsvaziaLista(&list);
  return 0;
}
