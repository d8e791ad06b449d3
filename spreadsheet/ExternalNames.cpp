#include "ExternalNames.h"

#include "BIFFRecsMini.h"
#include "XLSStreamMini.h"

namespace vesk {

namespace {

// A unicode string body (option byte, characters) of count characters at
// offset; returns its byte length.
std::size_t readRawString(const TRecordBody& body, std::size_t offset, std::size_t count, ByteString& out)
{
    std::uint8_t option = body.u8(offset);
    std::size_t bytes = 1 + ((option & 1) ? 2 * count : count);
    const std::uint8_t* p = body.bytes(offset, bytes);
    out.assign(reinterpret_cast<const char*>(p), bytes);
    return bytes;
}

void appendRaw(std::vector<std::uint8_t>& out, const ByteString& s)
{
    if (s.empty())
        appendU8(out, 0);
    else
        appendBytes(out, s.data(), s.size());
}

char16_t charAt(const ByteString& s, std::size_t i)
{
    if (!s.empty() && (s[0] & 1))
        return static_cast<char16_t>(static_cast<std::uint8_t>(s[1 + 2 * i]) |
                                     (static_cast<std::uint8_t>(s[2 + 2 * i]) << 8));
    return static_cast<char16_t>(static_cast<std::uint8_t>(s[1 + i]));
}

std::size_t charCount(const ByteString& s)
{
    if (s.empty())
        return 0;
    return (s[0] & 1) ? (s.size() - 1) / 2 : s.size() - 1;
}

WideString rawText(const ByteString& s)
{
    WideString w;
    for (std::size_t i = 0, n = charCount(s); i < n; ++i)
        w += charAt(s, i);
    return w;
}

// Decodes an encoded file name. With brackets, the file part after the
// last directory mark stands in "[...]" (only for workbooks with sheets).
WideString decodeFileName(const ByteString& raw, bool hasSheets, bool brackets)
{
    const std::size_t n = charCount(raw);
    std::size_t i = 0;
    if (n > 0 && charAt(raw, 0) < 3)
        ++i;
    WideString out;
    std::size_t fileStart = 0;
    for (; i < n; ++i) {
        char16_t c = charAt(raw, i);
        if (c == 1) {
            if (i + 1 < n) {
                char16_t next = charAt(raw, ++i);
                if (next == u'@') {
                    out += u"\\\\";
                } else {
                    out += next;
                    out += u":\\";
                }
                fileStart = out.size();
            }
        } else if (c == 2 || c == 3) {
            if (!hasSheets) {
                out += u'|';
            } else {
                out += u'\\';
                fileStart = out.size();
            }
        } else if (c == 4) {
            out += u"..\\";
            fileStart = out.size();
        } else if (c >= 5 && c <= 8) {
        } else {
            out += c;
        }
    }
    if (brackets && hasSheets) {
        out.insert(fileStart, u"[");
        out += u']';
    }
    return out;
}

// Path and file as the encoder names them, in the decoded form.
WideString joinPath(std::u16string_view path, std::u16string_view file)
{
    WideString s(path);
    if (!file.empty() && !s.empty() && s.back() != u'\\')
        s += u'\\';
    return s + WideString(file);
}

bool sameText(std::u16string_view a, std::u16string_view b) { return WideUpperCase(a) == WideUpperCase(b); }

void writeRecord(TXLSStream& stream, std::uint16_t id, const std::vector<std::uint8_t>& body)
{
    stream.WriteHeader(id, static_cast<std::uint16_t>(body.size() > 0xFFFF ? 0xFFFF : body.size()));
    stream.WriteBody(body.data(), body.size());
}

}  // namespace

void TExtName::writeHead(std::vector<std::uint8_t>& body) const
{
    appendU16(body, Options);
    appendU32(body, StorageId);
    appendU8(body, static_cast<std::uint8_t>(charCount(Name)));
    appendRaw(body, Name);
}

void TExtName::Write(std::vector<std::uint8_t>& body) const
{
    writeHead(body);
    appendBytes(body, Trailing.data(), Trailing.size());
}

void TExtNameName::Write(std::vector<std::uint8_t>& body) const
{
    writeHead(body);
    if (HasTokens) {
        appendU16(body, static_cast<std::uint16_t>(Tokens.size()));
        appendBytes(body, Tokens.data(), Tokens.size());
    }
    appendBytes(body, Trailing.data(), Trailing.size());
}

WideString TSupBook::DecodedFileName() const { return decodeFileName(FileName, !Sheets.empty(), false); }

std::vector<std::uint8_t> TSupBook::Body() const
{
    std::vector<std::uint8_t> body;
    if (Marker == MarkerSelf || Marker == MarkerAddIn) {
        appendU16(body, static_cast<std::uint16_t>(SheetCount));
        appendU16(body, Marker);
        return body;
    }
    appendU16(body, static_cast<std::uint16_t>(Sheets.size()));
    appendU16(body, static_cast<std::uint16_t>(charCount(FileName)));
    appendRaw(body, FileName);
    for (const TSupBookSheet& sheet : Sheets) {
        appendU16(body, static_cast<std::uint16_t>(charCount(sheet.Name)));
        appendRaw(body, sheet.Name);
    }
    return body;
}

void TExternalNames::Clear()
{
    extSheets_.clear();
    supBooks_.clear();
}

void TExternalNames::ReadExternSheet(const TRecordBody& body)
{
    std::size_t count = body.u16(0);
    body.need(2, count * 6);
    for (std::size_t i = 0; i < count; ++i) {
        std::size_t at = 2 + i * 6;
        extSheets_.push_back({body.u16(at), body.u16(at + 2), body.u16(at + 4)});
    }
}

void TExternalNames::ReadSupBook(const TRecordBody& body)
{
    auto book = std::make_unique<TSupBook>();
    std::uint16_t count = body.u16(0);
    std::uint16_t marker = body.u16(2);
    if (body.size() == 4 && (marker == TSupBook::MarkerSelf || marker == TSupBook::MarkerAddIn)) {
        book->SheetCount = count;
        book->Marker = marker;
    } else {
        std::size_t at = 4 + readRawString(body, 4, marker, book->FileName);
        for (std::size_t i = 0; i < count; ++i) {
            TSupBookSheet sheet;
            std::size_t n = body.u16(at);
            at += 2 + readRawString(body, at + 2, n, sheet.Name);
            book->Sheets.push_back(std::move(sheet));
        }
        book->SheetCount = count;
    }
    supBooks_.push_back(std::move(book));
}

void TExternalNames::ReadExternName(const TRecordBody& body)
{
    if (supBooks_.empty())
        throw body.error("No SUPBOOK for EXTERNNAME", 0);
    std::uint16_t options = body.u16(0);
    std::unique_ptr<TExtName> name;
    if (options == 0 || options == 1)
        name = std::make_unique<TExtNameName>();
    else if (!(options & 0x10))
        name = std::make_unique<TExtNameDDE>();
    else
        name = std::make_unique<TExtNameOLE>();
    name->Options = options;
    name->StorageId = body.u32(2);
    std::size_t at = 7 + readRawString(body, 7, body.u8(6), name->Name);
    if (auto* plain = dynamic_cast<TExtNameName*>(name.get())) {
        if (body.size() >= at + 2) {
            std::size_t size = body.u16(at);
            const std::uint8_t* tokens = body.bytes(at + 2, size);
            plain->Tokens.assign(tokens, tokens + size);
            at += 2 + size;
        } else {
            plain->HasTokens = false;
        }
    }
    name->Trailing.assign(body.data() + at, body.data() + body.size());
    supBooks_.back()->Names.push_back(std::move(name));
}

std::uint16_t TExternalNames::XCTSheetIndex(const TRecordBody& body)
{
    body.need(0, 4);
    return body.u16(2);
}

void TExternalNames::AddCRN(int SheetIndex, const TRecordBody& body)
{
    if (supBooks_.empty())
        throw body.error("No SUPBOOK for CRN", 0);
    TSupBook& book = *supBooks_.back();
    if (SheetIndex < 0 || static_cast<std::size_t>(SheetIndex) >= book.Sheets.size())
        throw body.error("Invalid SUPBOOK Sheet Index", 0);
    TCRN crn;
    crn.LastCol = body.u8(0);
    crn.FirstCol = body.u8(1);
    crn.Row = body.u16(2);
    crn.Values.assign(body.data() + 4, body.data() + body.size());
    book.Sheets[static_cast<std::size_t>(SheetIndex)].CRNs.push_back(std::move(crn));
}

void TExternalNames::SetSheetCount(int n)
{
    for (auto& book : supBooks_)
        if (book->Self())
            book->SheetCount = static_cast<std::uint32_t>(n);
}

void TExternalNames::Write(TXLSStream& stream) const
{
    for (const auto& book : supBooks_) {
        writeRecord(stream, BIFFID_SUPBOOK, book->Body());
        for (const auto& name : book->Names) {
            std::vector<std::uint8_t> body;
            name->Write(body);
            writeRecord(stream, BIFFID_EXTERNNAME, body);
        }
        for (std::size_t i = 0; i < book->Sheets.size(); ++i) {
            const TCRNList& crns = book->Sheets[i].CRNs;
            if (crns.empty())
                continue;
            std::vector<std::uint8_t> xct;
            appendU16(xct, static_cast<std::uint16_t>(crns.size()));
            appendU16(xct, static_cast<std::uint16_t>(i));
            writeRecord(stream, BIFFID_XCT, xct);
            for (const TCRN& crn : crns) {
                std::vector<std::uint8_t> body;
                appendU8(body, crn.LastCol);
                appendU8(body, crn.FirstCol);
                appendU16(body, crn.Row);
                appendBytes(body, crn.Values.data(), crn.Values.size());
                writeRecord(stream, BIFFID_CRN, body);
            }
        }
    }
    if (extSheets_.empty())
        return;
    // 1370 entries fill the first record; CONTINUE records take the rest,
    // whole entries only.
    constexpr std::size_t perRecord = 1370;
    std::size_t done = 0;
    bool first = true;
    while (first || done < extSheets_.size()) {
        std::size_t n = std::min(perRecord, extSheets_.size() - done);
        std::vector<std::uint8_t> body;
        if (first)
            appendU16(body, static_cast<std::uint16_t>(extSheets_.size()));
        for (std::size_t i = done; i < done + n; ++i) {
            appendU16(body, static_cast<std::uint16_t>(extSheets_[i].SupBook));
            appendU16(body, extSheets_[i].FirstSheet);
            appendU16(body, extSheets_[i].LastSheet);
        }
        stream.WriteHeader(first ? BIFFID_EXTERNSHEET : BIFFID_CONTINUE, static_cast<std::uint16_t>(body.size()));
        stream.WriteRaw(body.data(), body.size());
        done += n;
        first = false;
    }
}

int TExternalNames::InternalSheet(int ExtIndex) const
{
    if (ExtIndex < 0 || static_cast<std::size_t>(ExtIndex) >= extSheets_.size())
        return -1;
    const TExtSheet& e = extSheets_[static_cast<std::size_t>(ExtIndex)];
    if (e.SupBook >= supBooks_.size() || !supBooks_[e.SupBook]->Self())
        return -1;
    return e.FirstSheet;
}

int TExternalNames::SheetEntry(int Sheet, int SheetCount)
{
    int lastSelf = -1;
    for (std::size_t i = 0; i < supBooks_.size(); ++i)
        if (supBooks_[i]->Self())
            lastSelf = static_cast<int>(i);
    for (std::size_t i = 0; i < extSheets_.size(); ++i) {
        const TExtSheet& e = extSheets_[i];
        if (e.SupBook < supBooks_.size() && supBooks_[e.SupBook]->Self() && e.FirstSheet >= Sheet &&
            e.LastSheet <= Sheet)
            return static_cast<int>(i);
    }
    if (lastSelf < 0) {
        auto book = std::make_unique<TSupBook>();
        book->SheetCount = static_cast<std::uint32_t>(SheetCount);
        book->Marker = TSupBook::MarkerSelf;
        supBooks_.push_back(std::move(book));
        lastSelf = static_cast<int>(supBooks_.size() - 1);
    }
    extSheets_.push_back({static_cast<std::uint32_t>(lastSelf), static_cast<std::uint16_t>(Sheet),
                          static_cast<std::uint16_t>(Sheet)});
    return static_cast<int>(extSheets_.size() - 1);
}

WideString TExternalNames::ExternalText(int ExtIndex, int NameIndex) const
{
    if (ExtIndex < 0 || static_cast<std::size_t>(ExtIndex) >= extSheets_.size())
        return u"#REF!";
    const TExtSheet& e = extSheets_[static_cast<std::size_t>(ExtIndex)];
    if (e.SupBook >= supBooks_.size())
        return u"#REF!";
    const TSupBook& book = *supBooks_[e.SupBook];
    if (NameIndex < 0) {
        if (e.FirstSheet >= book.Sheets.size() || e.FirstSheet > 255)
            return u"#REF!";
        WideString text = decodeFileName(book.FileName, true, true) + rawText(book.Sheets[e.FirstSheet].Name);
        WideString quoted = u"'";
        for (char16_t c : text) {
            quoted += c;
            if (c == u'\'')
                quoted += u'\'';
        }
        return quoted + u"'!";
    }
    if (NameIndex < 1 || static_cast<std::size_t>(NameIndex) > book.Names.size())
        return u"#REF!";
    WideString name = rawText(book.Names[static_cast<std::size_t>(NameIndex) - 1]->Name);
    WideString file = book.DecodedFileName();
    if (file.empty())
        return name;
    return u"'" + file + u"'!" + name;
}

std::optional<TExternalPosition> TExternalNames::FindExternal(std::u16string_view Path, std::u16string_view File,
                                                             std::u16string_view Sheet) const
{
    const WideString wanted = joinPath(Path, File);
    for (std::size_t i = 0; i < extSheets_.size(); ++i) {
        const TExtSheet& e = extSheets_[i];
        if (e.SupBook >= supBooks_.size())
            continue;
        const TSupBook& book = *supBooks_[e.SupBook];
        if (book.Marker != 0 || e.FirstSheet != e.LastSheet || e.FirstSheet >= book.Sheets.size())
            continue;
        if (sameText(book.DecodedFileName(), wanted) && sameText(rawText(book.Sheets[e.FirstSheet].Name), Sheet))
            return TExternalPosition{static_cast<int>(i), e.FirstSheet};
    }
    return std::nullopt;
}

TExternalPosition TExternalNames::AddExternal(std::u16string_view Path, std::u16string_view File,
                                              std::u16string_view Sheet)
{
    if (auto found = FindExternal(Path, File, Sheet))
        return *found;
    const WideString wanted = joinPath(Path, File);
    // A SUPBOOK of that workbook gets the sheet and an entry of its own.
    std::size_t bookIndex = supBooks_.size();
    for (std::size_t i = 0; i < supBooks_.size(); ++i)
        if (supBooks_[i]->Marker == 0 && !supBooks_[i]->Sheets.empty() &&
            sameText(supBooks_[i]->DecodedFileName(), wanted))
            bookIndex = i;
    if (bookIndex == supBooks_.size()) {
        std::u16string path(Path);
        if (!path.empty() && path.back() == u'\\')
            path.pop_back();
        auto book = std::make_unique<TSupBook>();
        book->FileName = WideStringToByteStr(path + u"\x03" + std::u16string(File));
        supBooks_.push_back(std::move(book));
    }
    TSupBook& book = *supBooks_[bookIndex];
    std::size_t position = book.Sheets.size();
    for (std::size_t i = 0; i < book.Sheets.size(); ++i)
        if (sameText(rawText(book.Sheets[i].Name), Sheet))
            position = i;
    if (position == book.Sheets.size()) {
        TSupBookSheet sheet;
        sheet.Name = WideStringToByteStr(Sheet);
        book.Sheets.push_back(std::move(sheet));
        book.SheetCount = static_cast<std::uint32_t>(book.Sheets.size());
    }
    extSheets_.push_back({static_cast<std::uint32_t>(bookIndex), static_cast<std::uint16_t>(position),
                          static_cast<std::uint16_t>(position)});
    return {static_cast<int>(extSheets_.size() - 1), static_cast<int>(position)};
}

std::optional<TExternalPosition> TExternalNames::FindExternalName(std::u16string_view Path, std::u16string_view File,
                                                                 std::u16string_view Name) const
{
    const WideString wanted = joinPath(Path, File);
    for (std::size_t b = 0; b < supBooks_.size(); ++b) {
        const TSupBook& book = *supBooks_[b];
        if (book.Marker != 0 || !sameText(book.DecodedFileName(), wanted))
            continue;
        for (std::size_t n = 0; n < book.Names.size(); ++n) {
            if (!sameText(rawText(book.Names[n]->Name), Name))
                continue;
            for (std::size_t i = 0; i < extSheets_.size(); ++i)
                if (extSheets_[i].SupBook == b)
                    return TExternalPosition{static_cast<int>(i), static_cast<int>(n)};
        }
    }
    return std::nullopt;
}

}  // namespace vesk
