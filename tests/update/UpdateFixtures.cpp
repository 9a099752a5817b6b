#include "UpdateFixtures.h"

#include "library/LibraryFileBuilder.h"
#include "vcdiff/DeltaEncoder.h"

std::string LibraryDocument(const std::string& exeName)
{
    return "<ProcessLib><Paths><p id='1' value='Vendor\\App'/></Paths>"
           "<CompanyNames><c id='1' Value='Vendor'/></CompanyNames>"
           "<SignNames><s id='1' Value='Vendor Inc'/></SignNames>"
           "<Processes><Process Name='" + exeName +
           "'><Item id='1' DisplayName='App' PathIndex='1' CompanyNameIndex='1' SignNameIndex='1'/></Process>"
           "</Processes></ProcessLib>";
}

std::string DataFile(const std::string& document)
{
    return BuildLibraryFile(document, 0x5C, 1);
}

std::string UpdateFile(const std::string& oldFile, const std::string& newFile, bool checksum)
{
    appatlas::vcdiff::EncodeOptions options;
    options.checksum = checksum;
    return WrapDelta(appatlas::vcdiff::EncodeDelta(oldFile.data(), oldFile.size(), newFile.data(), newFile.size(),
                                                   options));
}

std::string WrapDelta(const std::string& delta)
{
    return BuildLibraryFile(delta, 0x3A, 0);
}
