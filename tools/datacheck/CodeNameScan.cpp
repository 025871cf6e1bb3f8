#include "CodeNameScan.h"

#include "LineFinder.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <stdexcept>

namespace DataCheck {

namespace fs = std::filesystem;

namespace {

// Each pattern's first group spans the literals it names; every literal there is one name, or one
// name for each suffix where the code appends them (a button's resting and lit faces).
struct NamePattern {
  CodeNameKind kind;
  const char* pattern;
  std::vector<std::string> suffixes;
};

const std::vector<NamePattern>& Patterns() {
  static const std::vector<NamePattern> kPatterns = {
      {CodeNameKind::Texture, R"(CreateTexturedSprite\(\s*("[^"]*"))", {""}},
      {CodeNameKind::Texture, R"(\bTextureSprite\(\s*("[^"]*"))", {""}},
      {CodeNameKind::Texture, R"(\b[Ff]ace\(\s*("[^"]*"))", {""}},
      {CodeNameKind::Texture, R"(\bFading\(\s*("[^"]*"))", {""}},
      {CodeNameKind::Texture, R"(\bStrip\(\s*("[^"]*"))", {""}},
      {CodeNameKind::Texture, R"(\bWorldSprite\(\s*("[^"]*"))", {""}},
      {CodeNameKind::Texture, R"(\bTextureNamed\(\s*("[^"]*"))", {""}},
      {CodeNameKind::Texture, R"(GetTexture\(\s*("[^"]*"))", {""}},
      {CodeNameKind::Texture, R"(\bset\(\s*("[^"]*"))", {""}},
      {CodeNameKind::Texture, R"(\bBar\(\s*("[^"]*",\s*"[^"]*"))", {""}},
      {CodeNameKind::Texture, R"(\bDialog\([^,]*,\s*"[^"]*",\s*("[^"]*"))", {""}},
      {CodeNameKind::Texture, R"(\bform\(\s*"[^"]*",\s*("[^"]*"))", {""}},
      {CodeNameKind::Texture, R"(\bMakeSprite\(\{\s*("[^"]*"))", {""}},
      {CodeNameKind::Texture, R"(\bMake\(\{\s*"[^"]*",\s*("[^"]*"))", {""}},
      {CodeNameKind::Texture, R"(\bSpriteLayout k\w+\{\s*("[^"]*"))", {""}},
      // A row of a button table: the face's texture, the place, the click handler.
      {CodeNameKind::Texture, R"(\{\s*("[^"]*"),[^{}\n]*&\w+::On\w+\s*\})", {""}},
      {CodeNameKind::Texture, R"(\bSmallButton\(\s*("[^"]*"))", {"PAS", "ACT"}},
      {CodeNameKind::Texture, R"(\bPair\(\s*("[^"]*"))", {"PAS", "ACT"}},
      {CodeNameKind::Sound, R"(\b(?:PlaySound|StopSound|IsPlaying)\(\s*("[^"]*"))", {""}},
      {CodeNameKind::Sound, R"(\bPlay\(\s*("[^"\\]*")\s*\))", {""}},
      // Every track the code names, whether it plays it at once or picks it by rule.
      {CodeNameKind::Music, R"(("sounds\\\\[^"]*\.mp3"))", {""}},
      {CodeNameKind::Text, R"(\bGetText\(\s*("[^"]*"))", {""}},
      {CodeNameKind::Text, R"(\bPotText\(([^,]*),)", {""}},
      {CodeNameKind::Text, R"(\bcaption\(\s*\{[^;]*?\},\s*("[^"]*")\))", {""}},
      {CodeNameKind::Text, R"(\bheadings\[\] = \{([^;]*)\};)", {""}},
  };
  return kPatterns;
}

const std::vector<std::regex>& CompiledPatterns() {
  static const std::vector<std::regex> kCompiled = [] {
    std::vector<std::regex> compiled;
    for (const NamePattern& pattern : Patterns()) compiled.emplace_back(pattern.pattern);
    return compiled;
  }();
  return kCompiled;
}

std::string Unescape(const std::string& literal) {
  std::string text;
  for (std::size_t i = 0; i < literal.size(); ++i) {
    if (literal[i] == '\\' && i + 1 < literal.size()) ++i;
    text += literal[i];
  }
  return text;
}

std::vector<fs::path> SourceFiles(const std::string& folder) {
  std::vector<fs::path> files;
  std::error_code error;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
    if (entry.path().extension() == ".cpp") files.push_back(entry.path());
  }
  if (files.empty()) throw std::runtime_error("no game sources (*.cpp) in " + folder);
  std::sort(files.begin(), files.end());
  return files;
}

void ScanFile(const fs::path& path, const std::string& displayPath, std::vector<CodeName>& names) {
  static const std::regex kLiteral(R"re("((?:[^"\\]|\\.)*)")re");
  const LineFinder lines(ReadSourceText(path.string()));
  const std::string& text = lines.Text();
  for (std::size_t p = 0; p < Patterns().size(); ++p) {
    const NamePattern& pattern = Patterns()[p];
    const std::regex& call = CompiledPatterns()[p];
    for (std::sregex_iterator match(text.begin(), text.end(), call), end; match != end; ++match) {
      const std::string span = (*match)[1].str();
      const std::size_t spanStart = static_cast<std::size_t>(match->position(1));
      for (std::sregex_iterator literal(span.begin(), span.end(), kLiteral); literal != end; ++literal) {
        const Location where{displayPath, lines.LineAt(spanStart + static_cast<std::size_t>(literal->position(0)))};
        for (const std::string& suffix : pattern.suffixes) {
          names.push_back({pattern.kind, Unescape((*literal)[1].str()) + suffix, where});
        }
      }
    }
  }
}

}  // namespace

std::string ReadSourceText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string GameSourceFolder(const std::string& sourceFolder) { return sourceFolder + "/Vellgrove/Src"; }

std::vector<CodeName> ScanCodeNames(const std::string& sourceFolder) {
  std::vector<CodeName> names;
  const std::string folder = GameSourceFolder(sourceFolder);
  for (const fs::path& file : SourceFiles(folder)) ScanFile(file, folder + "/" + file.filename().string(), names);
  return names;
}

}  // namespace DataCheck
