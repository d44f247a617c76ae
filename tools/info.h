// TEPInfoExe: reads the named text values of an executable's version resource.
#pragma once
#include <string>

class TEPInfoExe {
  public:
    // Four hexadecimal digits of the language whose block is read, before its code page.
    std::string LangId = "040C";
    std::string ExeName;
    std::string CompanyName;
    std::string FileDescription;
    std::string FileVersion;
    std::string InternalName;
    std::string LegalCopyright;
    std::string LegalTradeMarks;
    std::string OriginalFilename;
    std::string ProductName;
    std::string ProductVersion;
    std::string Comments;

    // Fills the ten values from the block of LangId in code page 1252. A file without version
    // information leaves every value as it was; a value the block lacks reads as empty.
    void Read();
};
