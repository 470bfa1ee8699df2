// The inventory's files for one test, under its roots: the sample's PDA files (layouts,
// pictures, badges and descriptions, as the build drew them), the test fonts, and the
// test's own item data and tooltip texts (the sample's when empty). The selected case is
// set to aCase unless it is 0.
#pragma once
#include <string>

class GMTestRoots;

bool WriteTestInventory(const GMTestRoots& aRoots, const std::string& aItems, const std::string& aTips, int aCase);

// An items file of one list per item: "case" + c + "." + key, with its type (none when
// empty) and a sprite whose id is the key, cut from the sample's case-1 icons.
struct GMTestItem
{
    int mCase;
    const char* mKey;
    const char* mType;
};
std::string TestItemsFile(std::initializer_list<GMTestItem> aItems);
