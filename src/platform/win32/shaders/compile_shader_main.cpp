// A build-time tool: compiles entry points of HLSL files with D3DCompile and writes the
// shader objects as C++ arrays into one source file, so the program carries its effect
// programs as data and never compiles shaders on the user's machine. Cross-built, it runs
// under Wine, whose compiler then does the work.
//
//   compile_shader.exe <output.cpp> (<source.hlsl> <entry> <profile> <symbol>)...

#include <windows.h>
// After windows.h, which it needs.
#include <d3dcompiler.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

bool ReadText(const std::string& path, std::string& text) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return true;
}

// Includes are read from the folder of the file being compiled (Wine's standard include
// handler does not look there).
class FolderInclude : public ID3DInclude {
 public:
  explicit FolderInclude(std::string folder) : folder_(std::move(folder)) {}
  virtual ~FolderInclude() = default;
  HRESULT STDMETHODCALLTYPE Open(D3D_INCLUDE_TYPE, LPCSTR name, LPCVOID, LPCVOID* data,
                                 UINT* bytes) override {
    auto text = std::make_unique<std::string>();
    if (!ReadText(folder_ + name, *text)) return E_FAIL;
    *data = text->data();
    *bytes = static_cast<UINT>(text->size());
    texts_.push_back(std::move(text));
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Close(LPCVOID) override { return S_OK; }

 private:
  std::string folder_;
  std::vector<std::unique_ptr<std::string>> texts_;
};

// Appends `symbol` and its size to `out`; false (with the compiler's messages on stderr)
// when the entry point does not compile.
bool Compile(const std::string& path, const char* entry, const char* profile,
             const char* symbol, std::ostringstream& out) {
  std::string source;
  if (!ReadText(path, source)) {
    std::fprintf(stderr, "compile_shader: cannot read %s\n", path.c_str());
    return false;
  }
  FolderInclude includes(path.substr(0, path.find_last_of("/\\") + 1));
  ID3DBlob* code = nullptr;
  ID3DBlob* errors = nullptr;
  const HRESULT result =
      D3DCompile(source.data(), source.size(), path.c_str(), nullptr, &includes, entry,
                 profile, D3DCOMPILE_OPTIMIZATION_LEVEL3, 0, &code, &errors);
  if (errors) {
    if (errors->GetBufferSize() > 1) {
      std::fprintf(stderr, "%.*s\n", static_cast<int>(errors->GetBufferSize()),
                   static_cast<const char*>(errors->GetBufferPointer()));
    }
    errors->Release();
  }
  if (FAILED(result) || !code) {
    std::fprintf(stderr, "compile_shader: %s(%s) failed: 0x%08lx\n", path.c_str(), entry,
                 static_cast<unsigned long>(result));
    if (code) code->Release();
    return false;
  }
  const auto* bytes = static_cast<const unsigned char*>(code->GetBufferPointer());
  const std::size_t size = code->GetBufferSize();
  out << "extern const unsigned char " << symbol << "[] = {";
  for (std::size_t i = 0; i < size; ++i) {
    out << (i % 16 == 0 ? "\n   " : "") << ' ' << static_cast<unsigned>(bytes[i]) << ',';
  }
  out << "\n};\nextern const std::size_t " << symbol << "Size = " << size << ";\n\n";
  code->Release();
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 6 || (argc - 2) % 4 != 0) {
    std::fprintf(stderr, "usage: compile_shader output (source entry profile symbol)...\n");
    return 2;
  }
  std::ostringstream out;
  out << "// Generated when the program is built, from HLSL; do not edit.\n"
      << "#include <cstddef>\n\nnamespace tessary::shaders {\n\n";
  for (int i = 2; i < argc; i += 4) {
    if (!Compile(argv[i], argv[i + 1], argv[i + 2], argv[i + 3], out)) return 1;
  }
  out << "}  // namespace tessary::shaders\n";
  std::ofstream file(argv[1], std::ios::binary);
  file << out.str();
  return file.good() ? 0 : 1;
}
