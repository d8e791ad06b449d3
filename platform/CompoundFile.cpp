#include "CompoundFile.h"

#include <gsf/gsf-infile-msole.h>
#include <gsf/gsf-infile.h>
#include <gsf/gsf-input-memory.h>
#include <gsf/gsf-outfile-msole.h>
#include <gsf/gsf-outfile.h>
#include <gsf/gsf-output-memory.h>
#include <gsf/gsf-utils.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace vesk {

namespace {

constexpr std::uint8_t Signature[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
// Limits against documents whose directory loops or explodes.
constexpr int MaxDepth = 32;
constexpr std::size_t MaxEntries = 100000;

// libgsf's complaints about a damaged document go nowhere: the reader
// reports the failure itself.
void quiet(const gchar*, GLogLevelFlags, const gchar*, gpointer) noexcept {}

void ensureInitialised() {
    static const bool done = [] {
        gsf_init();
        const auto levels = static_cast<GLogLevelFlags>(G_LOG_LEVEL_CRITICAL | G_LOG_LEVEL_WARNING |
                                                        G_LOG_LEVEL_MESSAGE | G_LOG_LEVEL_INFO |
                                                        G_LOG_LEVEL_DEBUG);
        for (const char* domain : {"libgsf", "libgsf:msole"}) g_log_set_handler(domain, levels, quiet, nullptr);
        return true;
    }();
    (void)done;
}

struct Unref {
    void operator()(gpointer object) const {
        if (object) g_object_unref(object);
    }
};
template <typename T>
using GsfPtr = std::unique_ptr<T, Unref>;

char lowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

// Every sector belongs to one stream at most, so the streams of a sound
// document together fit in it: more means that sector chains are shared, and
// a document of a few megabytes would unfold into gigabytes.
struct Budget {
    std::size_t documentSize;
    std::size_t entries = 0;
    std::uint64_t streamBytes = 0;
};

void readStorage(GsfInfile* storage, CompoundEntry& into, int depth, Budget& budget) {
    if (depth > MaxDepth) throw CompoundFileError("compound document nested too deeply");
    gsf_infile_msole_get_class_id(GSF_INFILE_MSOLE(storage), into.classId.data());
    int count = gsf_infile_num_children(storage);
    for (int i = 0; i < count; ++i) {
        if (++budget.entries > MaxEntries) throw CompoundFileError("compound document has too many elements");
        GsfPtr<GsfInput> child(gsf_infile_child_by_index(storage, i));
        if (!child) throw CompoundFileError("compound document element cannot be opened");
        CompoundEntry entry;
        const char* name = gsf_infile_name_by_index(storage, i);
        entry.name = name ? name : "";
        // A storage lists its elements (possibly none); a stream has -1.
        if (GSF_IS_INFILE(child.get()) && gsf_infile_num_children(GSF_INFILE(child.get())) >= 0) {
            entry.storage = true;
            readStorage(GSF_INFILE(child.get()), entry, depth + 1, budget);
        } else {
            gsf_off_t size = gsf_input_size(child.get());
            if (size < 0 || static_cast<std::uint64_t>(size) > budget.documentSize)
                throw CompoundFileError("compound document stream \"" + entry.name + "\" is larger than the document");
            budget.streamBytes += static_cast<std::uint64_t>(size);
            if (budget.streamBytes > budget.documentSize)
                throw CompoundFileError("compound document stream \"" + entry.name +
                                        "\" shares its sectors with another stream");
            entry.data.resize(static_cast<std::size_t>(size));
            std::size_t done = 0;
            while (done < entry.data.size()) {
                std::size_t n = std::min<std::size_t>(entry.data.size() - done, 4096);
                if (!gsf_input_read(child.get(), n, entry.data.data() + done))
                    throw CompoundFileError("compound document stream \"" + entry.name + "\" cannot be read");
                done += n;
            }
        }
        into.children.push_back(std::move(entry));
    }
}

void writeStorage(GsfOutfile* storage, const CompoundEntry& from, int depth) {
    if (depth > MaxDepth) throw CompoundFileError("compound document nested too deeply");
    for (const CompoundEntry& entry : from.children) {
        if (entry.name.empty()) throw CompoundFileError("compound document element without a name");
        GsfPtr<GsfOutput> child(gsf_outfile_new_child(storage, entry.name.c_str(), entry.storage ? TRUE : FALSE));
        if (!child) throw CompoundFileError("compound document element \"" + entry.name + "\" cannot be made");
        if (entry.storage) {
            gsf_outfile_msole_set_class_id(GSF_OUTFILE_MSOLE(child.get()), entry.classId.data());
            writeStorage(GSF_OUTFILE(child.get()), entry, depth + 1);
        } else if (!entry.data.empty() && !gsf_output_write(child.get(), entry.data.size(), entry.data.data())) {
            throw CompoundFileError("compound document stream \"" + entry.name + "\" cannot be written");
        }
        if (!gsf_output_close(child.get()))
            throw CompoundFileError("compound document element \"" + entry.name + "\" cannot be closed");
    }
}

}  // namespace

const CompoundEntry* CompoundEntry::child(std::string_view childName) const {
    for (const CompoundEntry& c : children) {
        if (c.name.size() != childName.size()) continue;
        bool same = true;
        for (std::size_t i = 0; same && i < childName.size(); ++i) same = lowerAscii(c.name[i]) == lowerAscii(childName[i]);
        if (same) return &c;
    }
    return nullptr;
}

bool isCompoundFile(const std::uint8_t* data, std::size_t size) {
    return size >= sizeof Signature && std::memcmp(data, Signature, sizeof Signature) == 0;
}

CompoundEntry readCompoundFile(const std::uint8_t* data, std::size_t size) {
    ensureInitialised();
    if (!isCompoundFile(data, size)) throw CompoundFileError("not a compound document");
    GsfPtr<GsfInput> input(gsf_input_memory_new(data, static_cast<gsf_off_t>(size), FALSE));
    if (!input) throw CompoundFileError("compound document cannot be opened");
    GError* error = nullptr;
    GsfPtr<GsfInfile> root(gsf_infile_msole_new(input.get(), &error));
    if (!root) {
        std::string why = error && error->message ? error->message : "unknown reason";
        if (error) g_error_free(error);
        throw CompoundFileError("compound document cannot be opened: " + why);
    }
    CompoundEntry tree;
    tree.name = "Root Entry";
    tree.storage = true;
    Budget budget{size};
    readStorage(root.get(), tree, 0, budget);
    return tree;
}

std::vector<std::uint8_t> writeCompoundFile(const CompoundEntry& root) {
    ensureInitialised();
    GsfPtr<GsfOutput> sink(gsf_output_memory_new());
    if (!sink) throw CompoundFileError("compound document cannot be made");
    {
        GsfPtr<GsfOutfile> document(gsf_outfile_msole_new(sink.get()));
        if (!document) throw CompoundFileError("compound document cannot be made");
        gsf_outfile_msole_set_class_id(GSF_OUTFILE_MSOLE(document.get()), root.classId.data());
        writeStorage(document.get(), root, 0);
        if (!gsf_output_close(GSF_OUTPUT(document.get()))) throw CompoundFileError("compound document cannot be closed");
    }
    gsf_off_t size = gsf_output_size(sink.get());
    const guint8* bytes = gsf_output_memory_get_bytes(GSF_OUTPUT_MEMORY(sink.get()));
    if (size < 0 || (size > 0 && !bytes)) throw CompoundFileError("compound document cannot be made");
    return std::vector<std::uint8_t>(bytes, bytes + size);
}

}  // namespace vesk
