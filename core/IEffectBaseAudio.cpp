// The channel records and the processing frame of IEffectBase.
#include "core/IEffectBase.h"

#include <algorithm>
#include <cstring>

namespace {

// Channels first .. first + count - 1, limited to the channels that exist.
struct ChannelRange
{
  ChannelRange(int first, int count, int total)
      : begin(std::max(first, 0)),
        end(static_cast<int>(std::min<int64_t>(int64_t{first} + std::max(count, 0), total)))
  {
  }
  int begin;
  int end;
};

// Channel records start unconnected, each slot pointing at its own entry of the pointer array.
template <typename Channel>
void MakeChannels(PtrList<Channel>& channels, TypedBuffer& pointers, int count)
{
  if (!pointers.SetCount<double*>(count, false)) return;
  double** slots = pointers.Get<double*>();
  for (int i = 0; i < count; ++i) {
    slots[i] = nullptr;
    Channel* channel = new Channel;
    channel->slot = &slots[i];
    if (!channels.Append(channel)) delete channel;
  }
}

void Silence(TypedBuffer& scratch)
{
  if (scratch.Size() > 0) std::memset(scratch.Bytes(), 0, static_cast<size_t>(scratch.Size()));
}

template <typename Channel>
void Connect(const PtrList<Channel>& channels, int first, int count, bool connected)
{
  const ChannelRange range(first, count, channels.Count());
  for (int i = range.begin; i < range.end; ++i) {
    Channel* channel = channels.At(i);
    const bool wasConnected = channel->connected;
    channel->connected = connected;
    if (connected) continue;
    // A disconnected channel works on its own scratch, and an input's must read silence: while
    // connected it may have held the host's converted samples, which must never play again.
    *channel->slot = channel->scratch.template Get<double>();
    if (wasConnected) Silence(channel->scratch);
  }
}

// Connected channels in the range take the host's buffers in order; others take none. A channel
// whose host buffer is null works on its own scratch instead: silenced for an input, written and
// dropped for an output.
template <typename Channel>
void AttachHost(const PtrList<Channel>& channels, int first, int count, double** host, bool silenceMissing)
{
  const ChannelRange range(first, count, channels.Count());
  for (int i = range.begin; i < range.end; ++i) {
    Channel* channel = channels.At(i);
    if (!channel->connected) continue;
    double* buffer = host ? *host++ : nullptr;
    if (!buffer) {
      buffer = channel->scratch.template Get<double>();
      if (silenceMissing) Silence(channel->scratch);
    }
    *channel->slot = buffer;
  }
}

void CopyOrSilence(double* out, const double* in, int nFrames)
{
  if (in)
    std::memmove(out, in, sizeof(double) * static_cast<size_t>(nFrames));
  else
    std::memset(out, 0, sizeof(double) * static_cast<size_t>(nFrames));
}

} // namespace

void IEffectBase::ProcessBlock(double** inputs, double** outputs, int nFrames)
{
  if (nFrames <= 0) return;
  const int through = std::min(InputCount(), OutputCount());
  for (int i = 0; i < OutputCount(); ++i) {
    if (outputs[i]) CopyOrSilence(outputs[i], i < through ? inputs[i] : nullptr, nFrames);
  }
}

void IEffectBase::ProcessBlockFloat(float** inputs, float** outputs, int nFrames)
{
  if (nFrames <= 0) return;
  const int through = std::min(InputCount(), OutputCount());
  const size_t bytes = sizeof(float) * static_cast<size_t>(nFrames);
  for (int i = 0; i < OutputCount(); ++i) {
    if (!outputs[i]) continue;
    if (i < through && inputs[i])
      std::memmove(outputs[i], inputs[i], bytes);
    else
      std::memset(outputs[i], 0, bytes);
  }
}

const char* IEffectBase::InputLabel(int index) const
{
  const IInputChannel* channel = mInputChannels.At(index);
  return channel ? channel->label.Text() : nullptr;
}

const char* IEffectBase::OutputLabel(int index) const
{
  const IOutputChannel* channel = mOutputChannels.At(index);
  return channel ? channel->label.Text() : nullptr;
}

bool IEffectBase::IsInputConnected(int index) const
{
  const IInputChannel* channel = mInputChannels.At(index);
  return channel && channel->connected;
}

bool IEffectBase::IsOutputConnected(int index) const
{
  const IOutputChannel* channel = mOutputChannels.At(index);
  return channel && channel->connected;
}

void IEffectBase::CreateChannels(int inputs, int outputs)
{
  MakeChannels(mInputChannels, mInputPointers, inputs);
  MakeChannels(mOutputChannels, mOutputPointers, outputs);
}

void IEffectBase::ConnectInputs(int first, int count, bool connected)
{
  Connect(mInputChannels, first, count, connected);
}

void IEffectBase::ConnectOutputs(int first, int count, bool connected)
{
  Connect(mOutputChannels, first, count, connected);
}

void IEffectBase::ConnectExtraChannels()
{
  ConnectInputs(2, InputCount(), false);
  ConnectOutputs(2, OutputCount(), true);
}

void IEffectBase::AttachInputs(int first, int count, double** host)
{
  AttachHost(mInputChannels, first, count, host, true);
}

void IEffectBase::AttachOutputs(int first, int count, double** host)
{
  AttachHost(mOutputChannels, first, count, host, false);
}

bool IEffectBase::AttachInputs(int first, int count, float** host, int nFrames)
{
  if (!FramesFit(nFrames)) return false;
  const ChannelRange range(first, count, InputCount());
  for (int i = range.begin; i < range.end; ++i) {
    IInputChannel* channel = mInputChannels.At(i);
    if (!channel->connected) continue;
    double* scratch = channel->scratch.Get<double>();
    const float* in = host ? *host++ : nullptr;
    for (int s = 0; s < nFrames; ++s) scratch[s] = in ? in[s] : 0.0;
    *channel->slot = scratch;
  }
  return true;
}

void IEffectBase::AttachOutputs(int first, int count, float** host)
{
  const ChannelRange range(first, count, OutputCount());
  for (int i = range.begin; i < range.end; ++i) {
    IOutputChannel* channel = mOutputChannels.At(i);
    if (!channel->connected) continue;
    *channel->slot = channel->scratch.Get<double>();
    channel->floatTarget = host ? *host++ : nullptr;
  }
}

bool IEffectBase::RunBlock(int nFrames)
{
  if (!FramesFit(nFrames)) return false;
  ProcessBlock(mInputPointers.Get<double*>(), mOutputPointers.Get<double*>(), nFrames);
  return true;
}

void IEffectBase::ConvertOutputs(int nFrames, bool adding)
{
  for (int i = 0; i < OutputCount(); ++i) {
    IOutputChannel* channel = mOutputChannels.At(i);
    const double* result = *channel->slot;
    float* target = channel->floatTarget;
    if (!channel->connected || !target || !result) continue;
    if (adding) {
      for (int s = 0; s < nFrames; ++s) target[s] += static_cast<float>(result[s]);
    } else {
      for (int s = 0; s < nFrames; ++s) target[s] = static_cast<float>(result[s]);
    }
  }
}

bool IEffectBase::RunBlockFloat(int nFrames)
{
  if (!RunBlock(nFrames)) return false;
  ConvertOutputs(nFrames, false);
  return true;
}

bool IEffectBase::RunBlockFloatAdding(int nFrames)
{
  if (!RunBlock(nFrames)) return false;
  ConvertOutputs(nFrames, true);
  return true;
}

// Each output below both channel counts receives its input from length samples before; the input
// is read before the output is written, so host buffers used in place are fine.
void IEffectBase::DelayInputs(int nFrames)
{
  double** inputs = mInputPointers.Get<double*>();
  double** outputs = mOutputPointers.Get<double*>();
  const int through = std::min({InputCount(), OutputCount(), static_cast<int>(mLatencyDelay->inputs)});
  const int length = mLatencyDelay->length;
  double* rings = mLatencyDelay->buffer.Get<double>();
  for (int s = 0; s < nFrames; ++s) {
    const int pos = mLatencyDelay->writePos;
    for (int j = 0; j < through; ++j) {
      double* ring = rings + static_cast<size_t>(j) * static_cast<size_t>(length);
      const double in = inputs[j] ? inputs[j][s] : 0.0;
      if (outputs[j]) outputs[j][s] = ring[pos];
      ring[pos] = in;
    }
    mLatencyDelay->writePos = pos + 1 == length ? 0 : pos + 1;
  }
  for (int j = through; j < OutputCount(); ++j) {
    if (outputs[j] && nFrames > 0) CopyOrSilence(outputs[j], nullptr, nFrames);
  }
}

bool IEffectBase::PassThrough(int nFrames)
{
  if (!FramesFit(nFrames)) return false;
  if (mLatency != 0 && mLatencyDelay && mLatencyDelay->length > 0)
    DelayInputs(nFrames);
  else
    IEffectBase::ProcessBlock(mInputPointers.Get<double*>(), mOutputPointers.Get<double*>(), nFrames);
  return true;
}

bool IEffectBase::PassThroughFloat(int nFrames)
{
  if (!PassThrough(nFrames)) return false;
  ConvertOutputs(nFrames, false);
  return true;
}

void IEffectBase::ClearScratch()
{
  auto clear = [this](TypedBuffer& scratch) {
    const int count = std::min(mBlockSize, scratch.CountOf<double>());
    if (count > 0) std::memset(scratch.Bytes(), 0, sizeof(double) * static_cast<size_t>(count));
  };
  for (int i = 0; i < InputCount(); ++i) clear(mInputChannels.At(i)->scratch);
  for (int i = 0; i < OutputCount(); ++i) clear(mOutputChannels.At(i)->scratch);
}

bool IEffectBase::ChangeBlockSize(int nFrames)
{
  if (nFrames == mBlockSize) return true;
  if (nFrames < 0) return false;
  // Every scratch is resized and silenced; slots that pointed at a scratch follow it if it moved.
  // The block size becomes what every scratch actually holds, so the frame never overruns one.
  int held = nFrames;
  auto resize = [&held, nFrames](TypedBuffer& scratch, double** slot, bool connected) {
    const double* before = scratch.Get<double>();
    scratch.SetCount<double>(nFrames, true);
    Silence(scratch);
    if (!connected || *slot == before) *slot = scratch.Get<double>();
    held = std::min(held, scratch.CountOf<double>());
  };
  for (int i = 0; i < InputCount(); ++i) {
    IInputChannel* channel = mInputChannels.At(i);
    resize(channel->scratch, channel->slot, channel->connected);
  }
  for (int i = 0; i < OutputCount(); ++i) {
    IOutputChannel* channel = mOutputChannels.At(i);
    resize(channel->scratch, channel->slot, channel->connected);
  }
  mBlockSize = held;
  return held == nFrames;
}
