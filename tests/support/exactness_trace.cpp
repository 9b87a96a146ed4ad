// Exactness traces: the step format the reference processes write, and the comparison
// of two runs that names every field and value that differs.
#include <cstdint>
#include <cstring>

#include "exactness.h"

static const std::size_t kFirstDifferences = 8;

void write_trace_step(FILE* out, int step, const std::vector<TraceField>& fields)
{
    std::uint32_t count = static_cast<std::uint32_t>(fields.size());
    fwrite(&step, sizeof step, 1, out);
    fwrite(&count, sizeof count, 1, out);
    for (const TraceField& f : fields) {
        std::uint32_t name_length = static_cast<std::uint32_t>(std::strlen(f.name));
        std::uint64_t bytes = f.bytes;
        fwrite(&name_length, sizeof name_length, 1, out);
        fwrite(f.name, 1, name_length, out);
        fwrite(&bytes, sizeof bytes, 1, out);
        if (f.bytes > 0)
            fwrite(f.data, 1, f.bytes, out);
    }
}

int read_trace_step(FILE* in, TraceStep* out)
{
    std::uint32_t count = 0;
    if (fread(&out->step, sizeof out->step, 1, in) != 1 || fread(&count, sizeof count, 1, in) != 1)
        return 0;
    out->names.resize(count);
    out->values.resize(count);
    out->fields.resize(count);
    for (std::uint32_t k = 0; k < count; ++k) {
        std::uint32_t name_length = 0;
        std::uint64_t bytes = 0;
        if (fread(&name_length, sizeof name_length, 1, in) != 1 || name_length > 4096)
            return 0;
        out->names[k].resize(name_length);
        if (fread(&out->names[k][0], 1, name_length, in) != name_length || fread(&bytes, sizeof bytes, 1, in) != 1)
            return 0;
        out->values[k].resize(bytes);
        if (bytes > 0 && fread(out->values[k].data(), 1, bytes, in) != bytes)
            return 0;
    }
    // Only now: the vectors above no longer move.
    for (std::uint32_t k = 0; k < count; ++k)
        out->fields[k] = TraceField{out->names[k].c_str(), out->values[k].data(), out->values[k].size()};
    return 1;
}

void note_trace_difference(TraceComparison* c, const std::string& text)
{
    if (c->first.size() < kFirstDifferences)
        c->first.push_back(text);
}

static std::string describe_value(int step, const TraceComparison& c, const char* field, std::size_t i,
                                  const unsigned char* ours, const unsigned char* theirs)
{
    std::uint32_t a, b;
    std::memcpy(&a, ours, 4);
    std::memcpy(&b, theirs, 4);
    float fa, fb;
    std::memcpy(&fa, &a, 4);
    std::memcpy(&fb, &b, 4);
    char text[320];
    snprintf(text, sizeof text, "step %d, %s element %zu: 0x%08x (%.9g) %s, 0x%08x (%.9g) %s", step, field, i, a, fa,
             c.ours, b, fb, c.theirs);
    return text;
}

static void count_field(TraceComparison* c, const char* name, long values)
{
    for (FieldDifferences& f : c->fields) {
        if (f.name == name) {
            f.values += values;
            ++f.steps;
            return;
        }
    }
    c->fields.push_back({name, values, 1});
}

void compare_trace_step(TraceComparison* c, int step, const std::vector<TraceField>& ours, const TraceStep& theirs)
{
    ++c->steps;
    if (theirs.step != step || theirs.fields.size() != ours.size()) {
        note_trace_difference(c, "step " + std::to_string(step) + ": " + std::to_string(ours.size()) + " fields " +
                                     c->ours + ", step " + std::to_string(theirs.step) + " with " +
                                     std::to_string(theirs.fields.size()) + " fields " + c->theirs);
        ++c->differing_steps;
        return;
    }
    int differs = 0;
    for (std::size_t k = 0; k < ours.size(); ++k) {
        const TraceField& a = ours[k];
        const TraceField& b = theirs.fields[k];
        const unsigned char* pa = static_cast<const unsigned char*>(a.data);
        const unsigned char* pb = static_cast<const unsigned char*>(b.data);
        std::size_t common = a.bytes < b.bytes ? a.bytes : b.bytes;
        if (a.bytes == b.bytes && (common == 0 || std::memcmp(pa, pb, common) == 0))
            continue;
        if (a.bytes != b.bytes)
            note_trace_difference(c, "step " + std::to_string(step) + ", " + a.name + ": " + std::to_string(a.bytes) +
                                         " bytes " + c->ours + ", " + std::to_string(b.bytes) + " " + c->theirs);
        long values = 0;
        for (std::size_t i = 0; i + 4 <= common; i += 4) {
            if (std::memcmp(pa + i, pb + i, 4) == 0)
                continue;
            ++values;
            if (c->first.size() < kFirstDifferences)
                note_trace_difference(c, describe_value(step, *c, a.name, i / 4, pa + i, pb + i));
        }
        count_field(c, a.name, values);
        differs = 1;
    }
    c->differing_steps += differs;
}

std::string describe_trace_differences(const TraceComparison& c)
{
    std::string text = std::to_string(c.differing_steps) + " of " + std::to_string(c.steps) + " steps differ";
    for (const FieldDifferences& f : c.fields)
        text += "\n  " + f.name + ": " + std::to_string(f.values) + " values in " + std::to_string(f.steps) + " steps";
    if (!c.first.empty())
        text += "\nfirst differences:";
    for (const std::string& line : c.first)
        text += "\n  " + line;
    return text;
}
