// Fuzzes the MTL reader: any input reads into at least one record, and the
// record dump formats every field.
#include "fuzzscratch.h"
#include "mtlfile.h"

#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    QuietLog();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string path = WriteScratch("input.mtl", data, size);
    std::vector<MtlRecord> records;
    MtlReader reader;
    if (!reader.ReadFile(path.c_str(), records) || records.empty())
        __builtin_trap();
    for (const MtlRecord& record : records)
        if (!record.texturePath.empty() && record.texturePath.rfind(ScratchFolder() + "/", 0) != 0)
            __builtin_trap();
    MtlReader::DumpRecords(records);
    return 0;
}
