// A copy of everything an opening writes about the displayed recording: the
// header record, Config, Setup, the annotation tables, the function-channel
// and under-sampling state. Taken before other recordings are opened on the
// window's behalf (the CSV folder export opens each recording of a folder), and
// put back when it goes out of scope, so the recording on screen is still the
// one described when the work is done.
#pragma once

#include <memory>

namespace VIEW {

class SauvegardeAffichage {
public:
    SauvegardeAffichage();
    ~SauvegardeAffichage();
    SauvegardeAffichage(const SauvegardeAffichage&) = delete;
    SauvegardeAffichage& operator=(const SauvegardeAffichage&) = delete;

private:
    struct Copie;
    std::unique_ptr<Copie> Copie_;
};

} // namespace VIEW
