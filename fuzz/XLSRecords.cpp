// Workbook bytes of any kind: the container (plain or compound, with kept
// streams written back), the record walk, the shared string table, the
// default-record merge and chart substreams. Only EXLSError may come out.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "BIFFRecsMini.h"
#include "EXLSError.h"
#include "RecordStorageMini.h"
#include "SSTMini.h"
#include "XLSStreamMini.h"

using namespace vesk;

namespace {

bool isDefault(const TRecordStorageDefault& list, std::uint16_t id) {
    return id < 0x8000 && list.Reference(id) != nullptr;
}

void walk(TXLSStream& stream) {
    TRecordStorageGlobals globals;
    TRecordStorageSheet sheet;
    TRecordStorageDefault* current = &globals;
    TSSTMini sst;
    sst.SetMaxBodySize(stream.Version() >= xvExcel97 ? MaxRecordBodyBiff8 : MaxRecordBodyBiff5);
    TRecordHeader header;
    std::vector<std::uint8_t> body;
    for (int records = 0; records < 100000; ++records) {
        std::int64_t at = stream.Position();
        if (stream.ReadHeader(header) < 4) break;
        if (header.Id == BIFFID_SST) {
            sst.Read(stream, header.Length, at);
            continue;
        }
        stream.Seek(at, 0);
        if (!stream.ReadRecord(header, body)) break;
        if (IsBofId(header.Id) && body.size() >= 4 && body[2] == 0x20) {
            TChartRecordUpdate chart;
            chart.ReadRecords(stream);
            continue;
        }
        if (IsBofId(header.Id) && body.size() >= 4 && body[2] == 0x10) {
            sheet.SetDefaultData();
            current = &sheet;
        }
        if (isDefault(*current, header.Id)) current->UpdateDefault(header.Id, body.data(), body.size());
        else current->AddRecord(header.Id, body.data(), body.size());
        if (header.Id == BIFFID_LABELSST && body.size() >= 10 && sst.FileOrderCount() > 0)
            sst.EntryByFileIndex(body[6] | (body[7] << 8));
    }
    current->UpdateInternal(current == &globals ? INTID_SST : INTID_CELLS);
    // Everything read goes out again.
    std::vector<std::uint8_t> out;
    TXLSStream writer;
    writer.SetTarget(&out);
    writer.Create("", xvExcel40);
    globals.WriteRecords(writer);
    sst.Write(writer);
    writer.Close();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::uint8_t> input(data, data + size);
    TExtraObjects extra;
    TXLSStream stream;
    stream.SetSource(&input);
    stream.SetExtraObjects(&extra);
    stream.SetKeepObjects(true);
    try {
        TExcelVersion version = stream.Open("");
        if (version == xvNone) return 0;
        if (version >= xvExcel50) {
            std::vector<std::uint8_t> document;
            TXLSStream rewrite;
            rewrite.SetTarget(&document);
            rewrite.SetExtraObjects(&extra);
            rewrite.Create("", version);
            rewrite.WriteRaw(stream.Bytes().data(), stream.Bytes().size() > 64 ? 64 : stream.Bytes().size());
            rewrite.Close();
        }
        walk(stream);
    } catch (const EXLSError&) {
    }
    return 0;
}
