#pragma once
// The real Tuvo.exe with a stand-in Magnification.dll of the tests' own: a copy of the program
// in a folder of its own with the stand-in beside it, where the system's ordinary search for
// the library finds it first; and the calls the stand-in recorded there.
#include <windows.h>

#include <string>
#include <vector>

#include "framework/geometry.h"
#include "harness/tuvo_process.h"

// The stand-in's variants, as the build names their folders.
enum class StandIn { Complete, WithoutSource, FailingStart };

// One recorded line: a name and key=value fields (see the stand-in's call log for the list).
struct MagnifierCall {
    std::string line;
    std::string name;

    bool Has(const char* key) const;
    // The field's numbers (a rectangle or matrix has several); empty when it is absent.
    std::vector<double> Numbers(const char* key) const;
    long long Int(const char* key) const;
    HWND Handle(const char* key) const;
    Rect RectField(const char* key) const;  // four numbers: left, top, right, bottom
};

class StandInFolder {
public:
    // A copy of `program` (empty: the Tuvo.exe beside the test program) with the stand-in.
    explicit StandInFolder(StandIn variant = StandIn::Complete, const std::wstring& program = {});
    ~StandInFolder();  // removes the folder: end the program first
    StandInFolder(const StandInFolder&) = delete;
    StandInFolder& operator=(const StandInFolder&) = delete;

    bool Ready() const { return m_ready; }
    // Starts the copy (with the given start's other settings).
    TuvoStart Start(TuvoStart start = {}) const;
    // Every line recorded so far, in order.
    std::vector<MagnifierCall> Calls() const;

private:
    void RemoveFiles() const;

    std::wstring m_folder;
    bool m_ready = false;
};

// The calls of one name, in order.
std::vector<MagnifierCall> CallsNamed(const std::vector<MagnifierCall>& calls, const char* name);
