// PKPatient_v110: the 80-byte patient packet: identification, names, gender, birth date, age,
// height and weight of the patient admitted on a bed. Height and weight are stored x100 in
// unsigned 16-bit fields; the packet does not say in which unit.
#pragma once

#include "nrdata/packet/PKBase.h"

class PKPatient_v110 : public PKFrame<80, PK_TYPE_PATIENT>
{
public:
    // Frame layout (bytes 71-78 are not used).
    static constexpr int kOffPatientId = 1;
    static constexpr int kOffLastName = 21;
    static constexpr int kOffFirstName = 41;
    static constexpr int kTextWidth = 20;
    static constexpr int kOffGender = 61;
    static constexpr int kOffYear = 62;
    static constexpr int kOffMonth = 64;
    static constexpr int kOffDay = 65;
    static constexpr int kOffAge = 66;
    static constexpr int kOffHeight = 67;
    static constexpr int kOffWeight = 69;
    static constexpr double kMeasureScale = 100.0;

    CString GetPatientId() const { return GetStringValue(kOffPatientId, kTextWidth); }
    void SetPatientId(const CString& id) { SetStringValue(kOffPatientId, id, kTextWidth); }
    CString GetLastName() const { return GetStringValue(kOffLastName, kTextWidth); }
    void SetLastName(const CString& name) { SetStringValue(kOffLastName, name, kTextWidth); }
    CString GetFirstName() const { return GetStringValue(kOffFirstName, kTextWidth); }
    void SetFirstName(const CString& name) { SetStringValue(kOffFirstName, name, kTextWidth); }

    BYTE GetGender() const { return GetByte(kOffGender); }
    void SetGender(BYTE gender) { SetByte(kOffGender, gender); }
    int GetYear() const { return Get2ByteValue(kOffYear); }
    void SetYear(int year) { Set2ByteValue(kOffYear, year); }
    int GetMonth() const { return GetByte(kOffMonth); }
    void SetMonth(int month) { SetByte(kOffMonth, LOBYTE(static_cast<unsigned>(month))); }
    int GetDay() const { return GetByte(kOffDay); }
    void SetDay(int day) { SetByte(kOffDay, LOBYTE(static_cast<unsigned>(day))); }
    BYTE GetAge() const { return GetByte(kOffAge); }
    void SetAge(BYTE age) { SetByte(kOffAge, age); }

    double GetHeight() const { return Get2ByteValue(kOffHeight) / kMeasureScale; }
    void SetHeight(double height) { Set2ByteValue(kOffHeight, ScaleToField(height, kMeasureScale, 0xFFFF)); }
    double GetWeight() const { return Get2ByteValue(kOffWeight) / kMeasureScale; }
    void SetWeight(double weight) { Set2ByteValue(kOffWeight, ScaleToField(weight, kMeasureScale, 0xFFFF)); }
};
