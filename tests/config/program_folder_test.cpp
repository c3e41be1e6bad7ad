#include "config/program_folder.h"

#include <gtest/gtest.h>

namespace tarsel {
namespace {

TEST(ProgramFolder, IsTheFolderOfThisExecutableEndingInASeparator) {
  const std::string folder = ProgramFolder().string();
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(folder.back(), '/');
  EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(folder) / "config_test"));
}

}  // namespace
}  // namespace tarsel
