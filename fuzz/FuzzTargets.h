#pragma once

// The bodies of the fuzz targets; the regression tests replay every finding through them.
#include <memory>
#include <sstream>
#include <string>

#include "filelib/AppCalcCh.h"
#include "filelib/CalcCh.h"
#include "filelib/FileDss.h"
#include "filelib/FileKe8.h"
#include "filelib/FileKe8Ch.h"
#include "filelib/FileCra.h"
#include "filelib/FileCraCh.h"
#include "filelib/FileKmq.h"
#include "filelib/FileKs3.h"
#include "filelib/FileKs3Ch.h"
#include "filelib/FileKmqCh.h"
#include "filelib/FileKmv.h"
#include "filelib/FileKmvCh.h"
#include "filelib/FileKmvChCumulative.h"
#include "filelib/FileKmw.h"
#include "filelib/FileKmwCh.h"
#include "filelib/FileKn.h"
#include "filelib/FileKs2.h"
#include "filelib/GCh.h"
#include "filelib/ICh.h"
#include "filelib/Result.h"

// Touches everything a consumer of a loaded channel would: every getter, every sample through the
// data iterator and, when deep, a time window, a stored copy read back, and trimming.
inline void ExerciseChannel(const OvGraphFileLib::ICh& channel, bool deep = true)
{
    using namespace OvGraphFileLib;
    volatile double sink = 0;
    sink = sink + channel.GetSerialNo() + channel.GetInterval() + channel.GetDataCount() + channel.GetChType() +
           channel.GetDecimalPlaces() + channel.GetUpperLimit() + channel.GetLowerLimit() + channel.GetFirstTime() +
           channel.GetLastTime() + channel.GetTimeDiff() + channel.GetStdBias() + channel.GetDstBias() +
           channel.GetRecordProp() + double(channel.GetChName().size() + channel.GetModel().size() +
                                            channel.GetScaleExpr().size() + channel.GetBaseName().size());
    // Run codes can make a hundred million samples of a few bytes. Copying, walking and storing
    // them all reached nothing that a smaller count or the first 8 Ki samples do not, and made the
    // ke8 target ten times slower.
    constexpr int64_t kWalkedSamples = 1 << 13, kCopiedSamples = 1 << 16;
    if (channel.GetDataCount() > kCopiedSamples) return;
    GCh copy(channel);
    // The samples through the bulk read, as exports and tools walk a channel.
    ChSample chunk[1024];
    int64_t read = 0;
    for (auto it = copy.begin(); it != copy.end() && read < kWalkedSamples;)
        for (size_t k = 0, n = it.Read(chunk, std::size(chunk)); k < n; ++k, ++read) sink = sink + chunk[k].value;
    if (!deep) return;
    // Shifted without overflowing, whatever times the file claimed.
    const auto shifted = [](int64_t time, int64_t by) { return int64_t(uint64_t(time) + uint64_t(by)); };
    const auto [begin, end] = copy.GetDataRange(shifted(channel.GetFirstTime(), 1000), shifted(channel.GetLastTime(), -1000));
    // Where the window starts is what is under test; the samples were walked above.
    int walked = 0;
    for (auto it = begin; it != end && walked < 4096; ++it, ++walked) sink = sink + (*it).value;
    // What a graph document does with it: the copy stored and read back (a failure here is a bug).
    std::stringstream stored;
    copy.SaveImpl(stored);
    GCh reloaded;
    reloaded.LoadImpl(stored);
    copy.DeleteBefore(shifted(channel.GetFirstTime(), 5000));
    copy.DeleteAfter(shifted(channel.GetLastTime(), -5000));
}

// The channels of one file share their layout, so the window, the stored copy and the trimming
// are exercised on the first few only; the stored forms have a target of their own. Walking every
// channel of a 64-channel file through all of it made the readers' targets ten times slower.
template <class ChannelList>
void ExerciseChannels(const ChannelList& channels)
{
    constexpr size_t kDeepChannels = 2;
    size_t index = 0;
    for (const auto& channel : channels) ExerciseChannel(*channel, index++ < kDeepChannels);
}

inline std::string AsBytes(const uint8_t* data, size_t size) { return {reinterpret_cast<const char*>(data), size}; }

inline OvGraphFileLib::Result FuzzKmv(const uint8_t* data, size_t size)
{
    std::istringstream in(AsBytes(data, size));
    OvGraphFileLib::FileKmv file;
    const OvGraphFileLib::Result result = file.Load(in);
    if (!result.Ok()) return result;
    ExerciseChannels(file.GetChList());
    std::ostringstream out;
    file.Save(out);
    return result;
}

inline OvGraphFileLib::Result FuzzCra(const uint8_t* data, size_t size)
{
    std::istringstream in(AsBytes(data, size));
    OvGraphFileLib::FileCra file;
    const OvGraphFileLib::Result result = file.Load(in);
    if (!result.Ok()) return result;
    ExerciseChannels(file.GetChList());
    std::ostringstream out;
    file.Save(out);
    return result;
}

inline OvGraphFileLib::Result FuzzKs3(const uint8_t* data, size_t size)
{
    std::istringstream in(AsBytes(data, size));
    OvGraphFileLib::FileKs3 file;
    const OvGraphFileLib::Result result = file.Load(in);
    if (!result.Ok()) return result;
    for (const auto& channel : file.GetChList()) {
        ExerciseChannel(*channel);
        (void)channel->GetScaleExpr();
    }
    std::ostringstream out;
    file.Save(out);
    return result;
}

inline OvGraphFileLib::Result FuzzKmq(const uint8_t* data, size_t size)
{
    std::istringstream in(AsBytes(data, size));
    OvGraphFileLib::FileKmq file;
    const OvGraphFileLib::Result result = file.Load(in);
    if (!result.Ok()) return result;
    for (const auto& channel : file.GetChList()) {
        ExerciseChannel(*channel);
        std::ostringstream stored;
        channel->SaveImpl(stored);
    }
    return result;
}

inline OvGraphFileLib::Result FuzzKe8(const uint8_t* data, size_t size)
{
    std::istringstream in(AsBytes(data, size));
    OvGraphFileLib::FileKe8 file;
    const OvGraphFileLib::Result result = file.Load(in);
    if (!result.Ok()) return result;
    ExerciseChannels(file.GetChList());
    std::ostringstream out;
    file.Save(out);
    return result;
}

inline OvGraphFileLib::Result FuzzKmw(const uint8_t* data, size_t size)
{
    std::istringstream in(AsBytes(data, size));
    OvGraphFileLib::FileKmw file;
    const OvGraphFileLib::Result result = file.Load(in);
    if (!result.Ok()) return result;
    ExerciseChannels(file.GetChList());
    std::ostringstream out;
    file.Save(out);
    return result;
}

// ks2 has no writer: only reading and the channels are exercised.
inline OvGraphFileLib::Result FuzzKs2(const uint8_t* data, size_t size)
{
    std::istringstream in(AsBytes(data, size));
    OvGraphFileLib::FileKs2 file;
    const OvGraphFileLib::Result result = file.Load(in);
    if (!result.Ok()) return result;
    ExerciseChannels(file.GetChList());
    return result;
}

inline OvGraphFileLib::Result FuzzDss(const uint8_t* data, size_t size)
{
    std::istringstream in(AsBytes(data, size));
    OvGraphFileLib::FileDss file;
    const OvGraphFileLib::Result result = file.Load(in);
    if (!result.Ok()) return result;
    for (const auto& channel : file.GetChList()) {
        ExerciseChannel(*channel);
        std::ostringstream stored;
        channel->SaveImpl(stored);
    }
    return result;
}

// kn1 and kn2 have no writer and share their layout: each input goes through both readers, of
// which the magic lets at most one through. The result is that reader's (kn1's when neither).
inline OvGraphFileLib::Result FuzzKn(const uint8_t* data, size_t size)
{
    const std::string bytes = AsBytes(data, size);
    OvGraphFileLib::FileKn1 kn1;
    OvGraphFileLib::FileKn2 kn2;
    OvGraphFileLib::Result results[2];
    int k = 0;
    for (OvGraphFileLib::IFile* file : {static_cast<OvGraphFileLib::IFile*>(&kn1), static_cast<OvGraphFileLib::IFile*>(&kn2)}) {
        std::istringstream in(bytes);
        results[k++] = file->Load(in);  // a failed load must leave a reader whose list is empty, not broken
        ExerciseChannels(file->GetChList());
    }
    return results[0].code == OvGraphFileLib::kUnsupportedFile ? results[1] : results[0];
}

// The stored forms of channels, as a graph document carries them: the first byte picks the class
// (the recorded findings depend on the numbering, so new classes take new numbers).
inline void FuzzStoredChannel(const uint8_t* data, size_t size)
{
    using namespace OvGraphFileLib;
    if (size == 0) return;
    std::shared_ptr<ICh> channel;
    switch (data[0] % 10) {
        case 0: channel = std::make_shared<GCh>(); break;
        case 1: channel = std::make_shared<CalcCh>(); break;
        case 2: channel = std::make_shared<AppCalcCh>(); break;
        case 3: channel = std::make_shared<FileKmvCh>(); break;
        case 4: channel = std::make_shared<FileKmvChCumulative>(); break;
        case 5: channel = std::make_shared<FileKmqCh>(); break;
        case 6: channel = std::make_shared<FileKe8Ch>(); break;
        case 7: channel = std::make_shared<FileKmwCh>(); break;
        case 8: channel = std::make_shared<FileKs3Ch>(); break;
        default: channel = std::make_shared<FileCraCh>(); break;
    }
    std::istringstream in(AsBytes(data + 1, size - 1));
    try {
        channel->LoadImpl(in);
    } catch (const Result&) {
        return;
    }
    ExerciseChannel(*channel);
    std::ostringstream out;
    try {
        channel->SaveImpl(out);
    } catch (const Result&) {
    }
}
