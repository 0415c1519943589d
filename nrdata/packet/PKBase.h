// PKBase: the frame rules every monitor packet obeys. A frame is a fixed number of bytes:
// byte 0 the packet kind, then the kind's payload, then the key byte in the last position.
// There is no length field and no checksum; the kind alone tells the length. Multi-byte numbers
// are little-endian; text fields are zero-filled and carry no terminator when full.
//
// Each packet class owns its frame as a byte array of exactly its size (PKFrameStorage) and
// hands it to PKBase; a copy of a packet always has its own bytes.
#pragma once

#include "platform/core/CString.h"
#include "platform/core/Types.h"

// ---- packet kinds (frame byte 0) --------------------------------------------------------
constexpr BYTE PK_TYPE_CONTROL = 0xA0;
constexpr BYTE PK_TYPE_PROTOCOL_VER = 0xB0;
constexpr BYTE PK_TYPE_PATIENT = 0xB1;
constexpr BYTE PK_TYPE_ALARM = 0xB2;
constexpr BYTE PK_TYPE_MONITOR = 0xB3;
constexpr BYTE PK_TYPE_WAVE = 0xC0;
constexpr BYTE PK_TYPE_PARAM = 0xC1;

// ---- no-data values ---------------------------------------------------------------------
constexpr int PK_NODATA_BYTE = 255;
constexpr int PK_NODATA_WORD = 0xFFFF;
constexpr int PK_NODATA_FM = 127;
constexpr short PK_NODATA_WAVE = -32768;

// Key byte of a packet that no link has keyed yet.
constexpr BYTE PK_DEFAULT_KEY = 0xFF;

// The frame bytes of a packet class. Listed as the first base of every packet class so that the
// array exists before PKBase clears it.
template <int N>
struct PKFrameStorage
{
    BYTE m_bytes[N];
};

class PKBase
{
public:
    virtual ~PKBase() = default;

    // ---- whole frame --------------------------------------------------------------------
    void Clear();
    void Clear(BYTE fill);
    // Loads a received frame: 0 for a wrong length (nothing changes) or, with checkKey, a last
    // byte other than the key (the packet becomes invalid, its bytes stay). Without checkKey the
    // key becomes the frame's last byte: this is how a link adopts its monitor's key.
    int SetPacket(const BYTE* data, int len, int checkKey);
    // Copies the other packet's frame and key into this one and returns the size; the valid
    // flag stays. Packets of a different size (another kind) are refused with 0.
    int CopyPacket(const PKBase* other);

    int IsValid() const;
    BYTE GetKey() const { return m_key; }
    void SetKey(BYTE key);
    BYTE MakeCheckSum() const { return m_key; }
    BYTE GetCheckSum() const { return m_key; }
    void ResetCheckSum();

    BYTE GetTypeHeader() const { return m_typeHeader; }
    BYTE* GetPacket() { return m_frame; }
    const BYTE* GetPacket() const { return m_frame; }
    int GetPacketSize() const { return m_size; }

protected:
    PKBase(BYTE* frame, int size, BYTE type);
    // Copy construction onto the derived class's own frame.
    PKBase(BYTE* frame, const PKBase& other);
    PKBase(const PKBase&) = delete;
    PKBase& operator=(const PKBase& other)
    {
        CopyPacket(&other);
        return *this;
    }

    // ---- field access at a frame offset ---------------------------------------------------
    BYTE GetByte(int offset) const { return m_frame[offset]; }
    void SetByte(int offset, BYTE v) { m_frame[offset] = v; }
    int Get2ByteValue(int offset) const;
    void Set2ByteValue(int offset, int v);
    unsigned int Get4ByteValue(int offset) const;
    void Set4ByteValue(int offset, unsigned int v);
    CString GetStringValue(int offset, int width) const;
    // Zero-fills the field and copies as much of the text as fits, never splitting a UTF-8
    // character.
    void SetStringValue(int offset, const CString& text, int width);

    // A measured value scaled into an unsigned field (x10, x100): rounded to the nearest unit
    // so that the value typed reads back, and held to 0..maxValue instead of wrapping.
    static int ScaleToField(double value, double scale, int maxValue);
    static int ClampToField(int value, int maxValue);

private:
    BYTE* m_frame;
    BYTE m_typeHeader;
    int m_valid { 0 };
    int m_size;
    BYTE m_key { PK_DEFAULT_KEY };
};

// The common shape of every packet class: its own frame of SIZE bytes with kind TYPE. A new
// packet is all zeros but the kind in byte 0 and the key 0xFF in the last byte, and not valid;
// copy construction and assignment copy the frame bytes and the key into the target's own frame.
template <int SIZE, BYTE TYPE>
class PKFrame : private PKFrameStorage<SIZE>, public PKBase
{
public:
    static constexpr int kSize = SIZE;
    static constexpr BYTE kType = TYPE;

    PKFrame() : PKBase(this->m_bytes, SIZE, TYPE) {}
    PKFrame(const PKFrame& other) : PKBase(this->m_bytes, other) {}
    PKFrame& operator=(const PKFrame& other)
    {
        CopyPacket(&other);
        return *this;
    }
};
