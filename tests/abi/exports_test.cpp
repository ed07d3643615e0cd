// The shared library exports exactly names of the export manifest, whole modules at a time.
// The ELF reading is for the POSIX build; the Windows build checks VERTALIB.dll's export
// table against the manifest with a test of its own (cmake/windows_exports.cmake).
#include <gtest/gtest.h>
#if !defined(_WIN32)
#include <elf.h>
#endif

#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct ManifestRow {
  std::string module, windows_name, elf_name, convention, bytes;
};

// The rows of the repository's manifest; a manifest that cannot be read fails the test.
void read_manifest(std::vector<ManifestRow> &rows) {
  std::ifstream in(VL_EXPORTS_MANIFEST);
  ASSERT_TRUE(in.good()) << "cannot read " << VL_EXPORTS_MANIFEST;
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    ManifestRow row;
    for (std::string *field : {&row.module, &row.windows_name, &row.elf_name, &row.convention, &row.bytes})
      std::getline(fields, *field, '\t');
    rows.push_back(row);
  }
  ASSERT_FALSE(rows.empty()) << VL_EXPORTS_MANIFEST << " holds no rows";
}

#if !defined(_WIN32)

std::string read_file(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Defined global and weak symbols of the ELF64 dynamic symbol table.
std::set<std::string> dynamic_exports(const std::string &image) {
  std::set<std::string> names;
  if (image.size() < sizeof(Elf64_Ehdr)) return names;
  const auto *header = reinterpret_cast<const Elf64_Ehdr *>(image.data());
  if (header->e_ident[EI_CLASS] != ELFCLASS64) return names;
  const auto *sections = reinterpret_cast<const Elf64_Shdr *>(image.data() + header->e_shoff);
  for (unsigned i = 0; i < header->e_shnum; ++i) {
    if (sections[i].sh_type != SHT_DYNSYM) continue;
    const Elf64_Shdr &strings = sections[sections[i].sh_link];
    const auto *symbols = reinterpret_cast<const Elf64_Sym *>(image.data() + sections[i].sh_offset);
    const size_t count = sections[i].sh_size / sizeof(Elf64_Sym);
    for (size_t s = 1; s < count; ++s) {
      const unsigned bind = ELF64_ST_BIND(symbols[s].st_info);
      if (symbols[s].st_shndx == SHN_UNDEF) continue;
      if (bind != STB_GLOBAL && bind != STB_WEAK) continue;
      names.insert(image.data() + strings.sh_offset + symbols[s].st_name);
    }
  }
  return names;
}

#endif  // !_WIN32

TEST(Exports, ManifestHasEveryExportOnceWithItsModule) {
  std::vector<ManifestRow> rows;
  ASSERT_NO_FATAL_FAILURE(read_manifest(rows));
  ASSERT_EQ(rows.size(), 438u);
  std::set<std::string> names;
  for (const auto &row : rows) EXPECT_TRUE(names.insert(row.elf_name).second) << row.elf_name;
}

#if !defined(_WIN32)
TEST(Exports, LibraryExportsOnlyWholeModulesOfTheManifest) {
  std::vector<ManifestRow> rows;
  ASSERT_NO_FATAL_FAILURE(read_manifest(rows));
  const auto exported = dynamic_exports(read_file(VL_SHARED_LIBRARY_PATH));
  ASSERT_FALSE(exported.empty()) << "cannot read " << VL_SHARED_LIBRARY_PATH;

  std::set<std::string> manifest_names;
  std::map<std::string, std::pair<int, int>> per_module;  // module -> (exported, total)
  for (const auto &row : rows) {
    manifest_names.insert(row.elf_name);
    auto &counts = per_module[row.module];
    counts.second++;
    if (exported.count(row.elf_name)) counts.first++;
  }
  for (const auto &name : exported) {
    if (name == "_init" || name == "_fini") continue;
    EXPECT_TRUE(manifest_names.count(name)) << "exported but not in the manifest: " << name;
  }
  int total = 0;
  for (const auto &[module, counts] : per_module) {
    EXPECT_TRUE(counts.first == 0 || counts.first == counts.second)
        << module << " exports " << counts.first << " of its " << counts.second << " names";
    total += counts.first;
  }
  std::printf("libvertalib.so exports %d of the %zu names of the manifest\n", total, rows.size());
  for (const auto &[module, counts] : per_module)
    if (counts.first > 0) std::printf("  %-22s %d\n", module.c_str(), counts.first);
}

#endif  // !_WIN32

}  // namespace
