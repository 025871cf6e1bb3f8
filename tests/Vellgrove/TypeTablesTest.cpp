#include "VGGameObjectType.h"
#include "VGTool.h"
#include "VGToolType.h"

#include "KorvexCoreException.h"

#include <gtest/gtest.h>

#include <string>

using namespace Vellgrove;

namespace {

std::string MessageOf(void (*action)()) {
  try {
    action();
  } catch (const SCore::KorvexCoreException& failure) {
    return failure.what();
  }
  return "nothing raised";
}

}  // namespace

TEST(TypeTables, ToolNamesAndValuesConvertBothWays) {
  const std::pair<const char*, int> tools[] = {
      {"VGTT_WALL", 0}, {"VGTT_BRIDGE", 1}, {"VGTT_WINDRIGHT", 2}, {"VGTT_WINDLEFT", 3}, {"VGTT_TELEPORT", 4}};
  for (const auto& tool : tools) {
    EXPECT_EQ(ToolTypeFromString(tool.first), tool.second) << tool.first;
    EXPECT_EQ(ToolTypeToString(tool.second), tool.first);
  }
  for (const char* bad : {"vgtt_wall", " VGTT_WALL", "VGTT_WALL ", "", "VGTT_"}) {
    EXPECT_THROW(ToolTypeFromString(bad), SCore::KorvexCoreException) << "[" << bad << "]";
  }
  EXPECT_EQ(MessageOf([] { ToolTypeToString(5); }), "unknown tool type");
  EXPECT_EQ(MessageOf([] { ToolTypeFromString("VGTT_wall"); }), "unknown tool type");
  EXPECT_THROW(ToolTypeToString(static_cast<unsigned int>(-1)), SCore::KorvexCoreException);
}

// Every name written reads back, the two winds included.
TEST(TypeTables, GameObjectNamesAndValuesConvertBothWays) {
  const std::pair<const char*, int> types[] = {
      {"VGGOT_SIMPLE", 0}, {"VGGOT_ACTOR", 1},       {"VGGOT_BRIDGE", 2}, {"VGGOT_LIFT", 3},
      {"VGGOT_PORTAL", 4}, {"VGGOT_TELEPORT", 5},    {"VGGOT_WALL", 6},   {"VGGOT_MONSTR", 7},
      {"VGGOT_OUTTELEPORT", 8}, {"VGGOT_LETHAL", 9}, {"VGGOT_GROUP", 10}, {"VGGOT_WINDLEFT", 15},
      {"VGGOT_WINDRIGHT", 16}};
  for (const auto& type : types) {
    EXPECT_EQ(GameObjectTypeFromString(type.first), type.second) << type.first;
    EXPECT_EQ(GameObjectTypeToString(type.second), type.first);
    EXPECT_EQ(GameObjectTypeFromString(GameObjectTypeToString(type.second)), type.second);
  }
  for (unsigned int unnamed : {11u, 12u, 13u, 14u, 17u}) {
    EXPECT_EQ(GameObjectTypeToString(unnamed), "unknown game object type") << unnamed;
  }
  EXPECT_EQ(MessageOf([] { GameObjectTypeFromString("unknown game object type"); }), "unknown gameobject type string");
  EXPECT_EQ(MessageOf([] { GameObjectTypeFromString("vggot_actor"); }), "unknown gameobject type string");
}

TEST(TypeTables, AToolPairsItsSpellWithTheObjectItMakes) {
  const VGTool wind(VGTT_WINDLEFT, VGGOT_WINDLEFT);
  EXPECT_EQ(wind.GetToolType(), VGTT_WINDLEFT);
  EXPECT_EQ(wind.GetGameObjectType(), VGGOT_WINDLEFT);
}
