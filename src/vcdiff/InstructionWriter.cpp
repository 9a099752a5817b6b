#include "vcdiff/InstructionWriter.h"

#include "vcdiff/CodeTable.h"
#include "vcdiff/Varint.h"

namespace appatlas {
namespace vcdiff {
namespace {

constexpr size_t kMaxTableSize = 256;

// Opcodes of the default code table, found by what they encode, so that
// the writer relies on the table itself rather than on its layout.
struct OpcodeIndex {
    // [type][mode][size]: the single-instruction opcode, or -1. Size 0 is
    // the opcode that takes its size as a varint.
    short single[4][9][kMaxTableSize];
    // [first size][second size][mode] for ADD then COPY, and COPY then ADD.
    short addCopy[kMaxTableSize][19][9];
    short copyAdd[19][5][9];

    OpcodeIndex()
    {
        for (auto& byType : single)
            for (auto& byMode : byType)
                for (short& op : byMode)
                    op = -1;
        for (auto& a : addCopy)
            for (auto& b : a)
                for (short& op : b)
                    op = -1;
        for (auto& a : copyAdd)
            for (auto& b : a)
                for (short& op : b)
                    op = -1;
        const CodeTable& t = CodeTable::Default();
        for (int op = 255; op >= 0; --op) {
            if (t.inst2[op] == kNoop) {
                single[t.inst1[op]][t.mode1[op]][t.size1[op]] = static_cast<short>(op);
            } else if (t.inst1[op] == kAdd && t.inst2[op] == kCopy && t.size2[op] < 19) {
                addCopy[t.size1[op]][t.size2[op]][t.mode2[op]] = static_cast<short>(op);
            } else if (t.inst1[op] == kCopy && t.inst2[op] == kAdd && t.size1[op] < 19 && t.size2[op] < 5) {
                copyAdd[t.size1[op]][t.size2[op]][t.mode1[op]] = static_cast<short>(op);
            }
        }
    }
};

const OpcodeIndex& Opcodes()
{
    static const OpcodeIndex index;
    return index;
}

}  // namespace

InstructionWriter::InstructionWriter(bool interleaved) : interleaved_(interleaved)
{
    cache_.Reset();
}

void InstructionWriter::Add(const uint8_t* bytes, size_t count)
{
    if (count == 0)
        return;
    Pending next;
    next.type = kAdd;
    next.size = count;
    next.bytes = bytes;
    Push(next);
}

void InstructionWriter::Run(uint8_t byte, size_t count)
{
    Pending next;
    next.type = kRun;
    next.size = count;
    next.runByte = byte;
    Push(next);
}

void InstructionWriter::Copy(uint64_t address, size_t count, uint64_t here)
{
    Pending next;
    next.type = kCopy;
    next.size = count;
    next.mode = cache_.BestMode(address, here, &next.address);
    // The decoder updates its cache as it meets this COPY; so must we.
    cache_.Update(address);
    Push(next);
}

size_t InstructionWriter::AddressCost(uint64_t address, uint64_t here) const
{
    uint64_t value;
    unsigned mode = cache_.BestMode(address, here, &value);
    return cache_.IsSameMode(mode) ? 1 : VarintLength(value);
}

void InstructionWriter::Push(const Pending& next)
{
    if (!hasPending_) {
        pending_ = next;
        hasPending_ = true;
        return;
    }
    const OpcodeIndex& index = Opcodes();
    short combined = -1;
    if (pending_.type == kAdd && next.type == kCopy && pending_.size < kMaxTableSize && next.size < 19)
        combined = index.addCopy[pending_.size][next.size][next.mode];
    else if (pending_.type == kCopy && next.type == kAdd && pending_.size < 19 && next.size < 5)
        combined = index.copyAdd[pending_.size][next.size][pending_.mode];
    if (combined < 0) {
        EmitSingle(pending_);
        pending_ = next;
        return;
    }
    instructions_.push_back(static_cast<char>(combined));
    EmitPayload(pending_);
    EmitPayload(next);
    hasPending_ = false;
}

void InstructionWriter::EmitSingle(const Pending& instruction)
{
    const OpcodeIndex& index = Opcodes();
    short op = -1;
    if (instruction.size < kMaxTableSize)
        op = index.single[instruction.type][instruction.mode][instruction.size];
    if (op >= 0) {
        instructions_.push_back(static_cast<char>(op));
    } else {
        instructions_.push_back(static_cast<char>(index.single[instruction.type][instruction.mode][0]));
        WriteVarint(instruction.size, &instructions_);
    }
    EmitPayload(instruction);
}

void InstructionWriter::EmitPayload(const Pending& instruction)
{
    std::string& data = interleaved_ ? instructions_ : data_;
    std::string& addresses = interleaved_ ? instructions_ : addresses_;
    switch (instruction.type) {
    case kAdd:
        data.append(reinterpret_cast<const char*>(instruction.bytes), instruction.size);
        break;
    case kRun:
        data.push_back(static_cast<char>(instruction.runByte));
        break;
    default:
        if (cache_.IsSameMode(instruction.mode))
            addresses.push_back(static_cast<char>(instruction.address));
        else
            WriteVarint(instruction.address, &addresses);
        break;
    }
}

void InstructionWriter::Finish(std::string* data, std::string* instructions, std::string* addresses)
{
    if (hasPending_)
        EmitSingle(pending_);
    hasPending_ = false;
    data->swap(data_);
    instructions->swap(instructions_);
    addresses->swap(addresses_);
    data_.clear();
    instructions_.clear();
    addresses_.clear();
    cache_.Reset();
}

}  // namespace vcdiff
}  // namespace appatlas
