#include "editor/win/FileDialogFilter.h"

#include <gtest/gtest.h>

#include <string>

TEST(FileDialogFilter, PatternTwiceEachEndingInZeroAndTheFirstExtensionAsDefault)
{
  FileDialogFilter filter;
  ASSERT_TRUE(filter.Build("fxp fxb"));
  const char expected[] = "*.fxp;*.fxb\0*.fxp;*.fxb\0";
  EXPECT_EQ(std::string(filter.Filter(), sizeof expected), std::string(expected, sizeof expected));
  EXPECT_STREQ(filter.DefaultExtension(), "fxp");

  ASSERT_TRUE(filter.Build("txt"));
  EXPECT_EQ(std::string(filter.Filter(), 12), std::string("*.txt\0*.txt\0\0", 12));
  EXPECT_STREQ(filter.DefaultExtension(), "txt");

  EXPECT_TRUE(filter.Build(""));
  EXPECT_TRUE(filter.Empty());
  EXPECT_TRUE(filter.Build(nullptr));
  EXPECT_TRUE(filter.Empty());
}

TEST(FileDialogFilter, RefusesListsTheBuffersCannotHold)
{
  FileDialogFilter filter;
  EXPECT_FALSE(filter.Build("abcdefghijklmnop"));  // 16 characters: no room for the default extension
  EXPECT_TRUE(filter.Build("abcdefghijklmno"));
  std::string many;
  for (int i = 0; i < 30; ++i) many += "ext ";  // 30 patterns of 5 characters and their separators
  EXPECT_FALSE(filter.Build(many.c_str()));
}
