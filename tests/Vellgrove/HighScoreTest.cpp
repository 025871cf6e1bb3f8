// The high-score table: one entry per name holding the latest score, highest first after each update.
#include "STinyXMLDeserializator.h"
#include "VGHighScore.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

using Vellgrove::VGHighScore;

namespace {

using Scores = std::vector<std::pair<std::wstring, unsigned int>>;

Scores Listed(const VGHighScore& table) {
  Scores scores;
  for (const auto& entry : table.Entries()) scores.emplace_back(entry.m_name, entry.m_bestScore);
  return scores;
}

VGHighScore Read(const std::string& text) {
  SCore::STinyXMLDeserializator reader("Russian");
  reader.DoParseText(text);
  reader.DoBeginChild("Users");
  VGHighScore table;
  table.Read(reader);
  return table;
}

}  // namespace

TEST(HighScore, UpdatesKeepOneEntryPerNameHighestFirst) {
  struct Row {
    const char* update;
    std::wstring name;
    unsigned int score;
    Scores after;
  };
  const std::vector<Row> rows = {
      {"a first player", L"Ann", 500, {{L"Ann", 500}}},
      {"a better one goes first", L"Bo", 900, {{L"Bo", 900}, {L"Ann", 500}}},
      {"a lower score replaces the old", L"Bo", 100, {{L"Ann", 500}, {L"Bo", 100}}},
      {"2^31 is above all, unsigned", L"Cy", 2147483648u, {{L"Cy", 2147483648u}, {L"Ann", 500}, {L"Bo", 100}}},
      {"names differ by case", L"ann", 0, {{L"Cy", 2147483648u}, {L"Ann", 500}, {L"Bo", 100}, {L"ann", 0}}},
  };
  VGHighScore table;
  for (const Row& row : rows) {
    table.SetScore(row.name, "Two", row.score);
    EXPECT_EQ(Listed(table), row.after) << row.update;
  }
  EXPECT_EQ(table.Rows(2).size(), 2u);
  EXPECT_EQ(table.Rows(2)[0].m_name, L"Cy");
}

TEST(HighScore, ReadKeepsTheFileOrderUntilTheNextUpdate) {
  VGHighScore table = Read(
      "<Users><HighScore><Score Name=\"a\" Level=\"x\" BestScore=\"5\"></Score>"
      "<Score Name=\"b\" Level=\"x\" BestScore=\"9\"></Score><Any Name=\"c\" Level=\"x\" BestScore=\"7\"></Any>"
      "</HighScore></Users>");
  EXPECT_EQ(Listed(table), (Scores{{L"a", 5}, {L"b", 9}, {L"c", 7}}));
  table.SetScore(L"a", "x", 5);
  EXPECT_EQ(Listed(table), (Scores{{L"b", 9}, {L"c", 7}, {L"a", 5}}));
  EXPECT_TRUE(Read("<Users><HighScore></HighScore></Users>").Entries().empty());
  EXPECT_ANY_THROW(Read("<Users><HighScore><Score Name=\"a\" Level=\"x\"></Score></HighScore></Users>"));
}
