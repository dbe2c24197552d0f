#pragma once
// Sets a flag for the length of a scope and puts back the value it found, so
// that nested commands (a reshape running its silent breaks first) and early
// returns leave the flags as they were. release() puts it back early.
class FlagHold {
public:
    explicit FlagHold(bool &flag, bool value = true)
        : m_flag(&flag), m_found(flag)
    {
        flag = value;
    }
    ~FlagHold() { release(); }
    FlagHold(const FlagHold &) = delete;
    FlagHold &operator=(const FlagHold &) = delete;

    void release()
    {
        if (m_flag)
            *m_flag = m_found;
        m_flag = nullptr;
    }

private:
    bool *m_flag;
    bool m_found;
};
