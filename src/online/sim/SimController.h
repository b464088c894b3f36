#pragma once
// The simulated controller: the memory and state of a positioning
// controller, answering the link's requests (CommProtocol.h) as a
// controller would. Thread-safe: the thread serving the line and the tests
// or the control socket meet under one lock.
//
// What it holds:
// - identity: model (0 one-axis, 1 two-axis), version, capacity, cassette,
//   program memory (3800 or 7800 steps);
// - switches: auto mode, writing permitted, ready per axis, parameters
//   defined, responding;
// - parameter blocks 112 (axis 0), 113 and 114 per axis, in the transfer
//   layout of CHOXParam, I/O numbers plain; their defaults are CHOXParam's;
// - the program (staged while it is written: the old one stays until the
//   last block arrived and the whole text checked out), its checksum flag
//   (set by CreateSum, cleared when a write begins) and the file name;
// - the devices of ControllerDevices.h within the model's ranges;
// - per task (X, Y, subtask): run state, program number, step, M code;
//   per axis: position in pulses, jog, zero return, feed, error, preset,
//   manual inputs.
// Programs start on a rising edge of M9001 (X, with the subtask when there is
// an "O100" program) or M9017 (Y) in auto mode and stop on M9002 or M9018.
// The engine then walks the statements at a set pace, one statement a step
// of its own; the running step is the statement's address. Tests may fix a
// task's step instead.
#include "chart/ControllerType.h"
#include "online/sim/SimProgram.h"
#include "online/sim/SimRequestLog.h"

#include <QByteArray>

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <vector>

class CCommPayload;

class CSimController {
public:
    using Clock = std::chrono::steady_clock;
    using ClockSource = std::function<Clock::time_point()>;

    // The controller runs the programs of X, of Y and of the subtask; the
    // first two are the axes' own numbers.
    enum Task { TaskX = axis::kX, TaskY = axis::kY, TaskSub = 2 };
    enum Switch { Auto, WritePermitted, ReadyX, ReadyY, ParamsDefined, Responding };
    enum ReadBack { AsWritten, Listing, SetText };

    static constexpr double kDefaultPace = 10.0; // statements a second
    static constexpr int kJogRate = 1000;        // pulses a second

    struct Reply {
        int result = 0;
        QByteArray data;
    };

    CSimController();

    // The power-on state of a two-axis controller: default parameters, no
    // program, manual mode, writing permitted, both axes ready; the step
    // counter, the clock and the log are reset too.
    void Reset();

    // One request: the payload as the frame carries it (client first).
    Reply Execute(int command, const QByteArray& payload);
    bool IsResponding() const;

    CSimRequestLog& Log() { return m_log; }

    // Identity. A new model takes that model's identity and defaults.
    void SetModel(int model);
    int Model() const;
    void SetIdentity(int capacity, int version, int cassette, int memory);
    int Memory() const;

    void SetSwitch(Switch which, bool on);
    bool GetSwitch(Switch which) const;

    // Program store.
    void SetStepCounter(SimStepCounter counter);
    QByteArray ProgramText() const;
    bool ChecksumFlag() const;
    bool IsStaging() const;
    QByteArray FileName() const;
    // What ReadProgram gives: the text as written, the listing form, or a
    // text set here.
    void SetReadBack(ReadBack mode, const QByteArray& text = {});
    // Stores a program directly (as a completed write would).
    bool StoreProgram(const QByteArray& text);

    std::vector<std::int32_t> Block(int block, int axis) const;

    // One device value as ReadDevice without an index gives it; false for a
    // device that does not exist.
    bool ReadDeviceValue(int code, int address, std::int32_t& value) const;
    // An input X (octal-digit number) as the machine would switch it.
    bool SetInput(int number, bool on);

    // Engine and axes.
    void SetEnginePace(double statementsPerSecond);
    void SetClock(ClockSource clock);
    // Fixes the step a task reports; std::nullopt gives it back to the engine.
    void SetTaskStep(int task, std::optional<int> step);
    int TaskStep(int task);
    bool IsRunning(int task);
    int ProgramNumber(int task) const;
    void SetManualInputs(int axis, const std::array<int, 6>& inputs);
    void SetAxisError(int axis, int code);
    std::int32_t Position(int axis); // pulses
    int Jog(int axis) const;         // +1, -1 or 0

private:
    struct TaskState {
        bool running = false;
        int index = -1; // statement
        int programNo = -1;
        int mCode = 0;
        double due = 0; // statements the engine owes the task
        std::optional<int> fixedStep;
    };
    struct AxisState {
        std::int64_t pulses = 0;
        int jog = 0;
        double jogDue = 0;
        int completed = 0;
        int zeroCompleted = 0;
        int error = 0;
        std::array<int, 6> inputs{};
    };
    struct Staging {
        int client = 0;
        int memory = 0;
        int fileRegisters = 0;
        std::uint32_t length = 0;
        quint16 crc = 0;
        QByteArray data;
    };

    using Handler = Reply (CSimController::*)(CCommPayload&, CSimRequest&);
    static Handler HandlerOf(int command);

    Reply DoGetType(CCommPayload& args, CSimRequest& log);
    Reply DoStatus(CCommPayload& args, CSimRequest& log);
    Reply DoDiagnosis(CCommPayload& args, CSimRequest& log);
    Reply DoInitiate(CCommPayload& args, CSimRequest& log);
    Reply DoSetFileName(CCommPayload& args, CSimRequest& log);
    Reply DoGetFileName(CCommPayload& args, CSimRequest& log);
    Reply DoWriteParams(CCommPayload& args, CSimRequest& log);
    Reply DoReadParams(CCommPayload& args, CSimRequest& log);
    Reply DoWriteBegin(CCommPayload& args, CSimRequest& log);
    Reply DoWriteBlock(CCommPayload& args, CSimRequest& log);
    Reply DoWriteEnd(CCommPayload& args, CSimRequest& log);
    Reply DoReadBegin(CCommPayload& args, CSimRequest& log);
    Reply DoReadBlock(CCommPayload& args, CSimRequest& log);
    Reply DoCreateSum(CCommPayload& args, CSimRequest& log);
    Reply DoMonitor(CCommPayload& args, CSimRequest& log);
    Reply DoReadCurrentPos(CCommPayload& args, CSimRequest& log);
    Reply DoKZQWStatus(CCommPayload& args, CSimRequest& log);
    Reply DoManInput(CCommPayload& args, CSimRequest& log);
    Reply DoProgInfo(CCommPayload& args, CSimRequest& log);
    Reply DoReadDevice(CCommPayload& args, CSimRequest& log);
    Reply DoWriteDevice(CCommPayload& args, CSimRequest& log);
    Reply DoSetOperation(CCommPayload& args, CSimRequest& log);
    Reply DoResetOperation(CCommPayload& args, CSimRequest& log);
    Reply DoWriteCurrentPos(CCommPayload& args, CSimRequest& log);
    Reply DoManual(CCommPayload& args, CSimRequest& log);

    void ResetLocked();
    void DefaultParams();
    bool IsOneAxis() const { return m_model == 0; }
    bool IsAxis(int axis) const { return axis == axis::kX || (axis == axis::kY && !IsOneAxis()); }
    bool IsBusy(int axis) const;
    int FileRegisters() const;
    std::vector<std::int32_t>* BlockSlot(int block, int axis);
    const std::vector<std::int32_t>* BlockSlot(int block, int axis) const;

    // Engine.
    void Advance();
    void StartTask(int task);
    void StopTask(int task);
    void StepTask(int task);
    int StepOf(int task) const;

    // Units: command units from pulses and back, by parameters 0 to 2.
    std::int64_t UnitsOf(int axis, std::int64_t pulses) const;
    std::int64_t PulsesOf(int axis, std::int64_t units) const;

    // Devices: the first device count of a request, or -1 when refused.
    int FirstCount(int code, int address, int index) const;
    bool AllValid(int code, int first, int count) const;
    std::int32_t ValueAt(int code, int count, bool wide) const;
    void StoreAt(int code, int count, std::int32_t value, bool wide);
    std::int16_t* Register(int code, int count);
    const std::int16_t* Register(int code, int count) const;
    std::uint8_t* Bit(int code, int count);
    const std::uint8_t* Bit(int code, int count) const;
    void SetBit(int code, int count, bool on);

    mutable std::mutex m_mutex;
    CSimRequestLog m_log;

    int m_model = 1;
    int m_capacity = 8000;
    int m_version = 110;
    int m_cassette = 1;
    int m_memory = 7800;
    std::array<bool, 6> m_switches{};

    std::vector<std::int32_t> m_common;
    std::array<std::vector<std::int32_t>, 2> m_blockA;
    std::array<std::vector<std::int32_t>, 2> m_blockB;

    SimStepCounter m_counter;
    CSimProgram m_program;
    bool m_checksumFlag = false;
    QByteArray m_fileName;
    std::optional<Staging> m_staging;
    std::map<int, QByteArray> m_readSnapshots; // by client
    ReadBack m_readBack = AsWritten;
    QByteArray m_readBackText;

    std::array<std::uint8_t, 512> m_m{};
    std::array<std::uint8_t, 176> m_mSpecial{};
    std::array<std::uint8_t, 256> m_x{};
    std::array<std::uint8_t, 256> m_y{};
    std::vector<std::int16_t> m_d;
    std::vector<std::int16_t> m_dSpecial;
    std::vector<std::int16_t> m_dFile;
    std::array<std::int16_t, 8> m_v{};
    std::array<std::int16_t, 8> m_z{};

    std::array<TaskState, 3> m_tasks;
    std::array<AxisState, 2> m_axes;
    double m_pace = kDefaultPace;
    ClockSource m_clock;
    Clock::time_point m_lastAdvance;
};
