#include "export/EcritureEnBlocs.h"

#include <algorithm>

EcritureEnBlocs::EcritureEnBlocs(const LigneTexte& format, TamponSortie& tampon, size_t lignesParBloc)
    : Format_(format), Tampon_(tampon) {
    lignesParBloc = std::max<size_t>(lignesParBloc, 1);
    const size_t octets = lignesParBloc * format.LigneTypique() + format.MaxLigne();
    for (size_t i = 0; i < NombreBlocs; ++i) {
        Blocs_.push_back(std::make_unique<BlocTexte>(lignesParBloc, format.Voies(), octets));
        Libres_.push_back(Blocs_.back().get());
    }
    Courant_ = Libres_.back();
    Libres_.pop_back();
    Fil_ = std::thread([this] { Boucle(); });
}

EcritureEnBlocs::~EcritureEnBlocs() {
    {
        std::lock_guard<std::mutex> verrou(Verrou_);
        Fin_.store(true, std::memory_order_relaxed);
    }
    Reveil_.notify_all();
    Fil_.join();
}

void EcritureEnBlocs::Remettre() {
    Courant_->Numero = Remis_++;
    std::unique_lock<std::mutex> verrou(Verrou_);
    AFormater_.push_back(Courant_);
    Courant_ = nullptr;
    Reveil_.notify_one();
    // A free block to fill next; while there is none, format waiting ones here.
    while (Libres_.empty()) {
        if (!AFormater_.empty()) {
            BlocTexte* b = AFormater_.front();
            AFormater_.pop_front();
            verrou.unlock();
            Traiter(b);
            verrou.lock();
        } else {
            Rendu_.wait(verrou, [this] { return !Libres_.empty() || !AFormater_.empty(); });
        }
    }
    Courant_ = Libres_.back();
    Libres_.pop_back();
}

bool EcritureEnBlocs::Achever() {
    std::unique_lock<std::mutex> verrou(Verrou_);
    if (Courant_ != nullptr && Courant_->Lignes() > 0) {
        Courant_->Numero = Remis_++;
        AFormater_.push_back(Courant_);
        Courant_ = nullptr;
        Reveil_.notify_one();
    }
    while (AEcrire_ < Remis_) {
        if (!AFormater_.empty()) {
            BlocTexte* b = AFormater_.front();
            AFormater_.pop_front();
            verrou.unlock();
            Traiter(b);
            verrou.lock();
        } else {
            Rendu_.wait(verrou, [this] { return AEcrire_ >= Remis_ || !AFormater_.empty(); });
        }
    }
    return !Erreur();
}

void EcritureEnBlocs::Boucle() {
    std::unique_lock<std::mutex> verrou(Verrou_);
    for (;;) {
        Reveil_.wait(verrou, [this] { return Fin_.load(std::memory_order_relaxed) || !AFormater_.empty(); });
        if (Fin_.load(std::memory_order_relaxed)) return;
        BlocTexte* b = AFormater_.front();
        AFormater_.pop_front();
        verrou.unlock();
        Traiter(b);
        verrou.lock();
    }
}

void EcritureEnBlocs::Traiter(BlocTexte* bloc) {
    bloc->Formater(Format_);
    std::unique_lock<std::mutex> verrou(Verrou_);
    Formates_.push_back(bloc);
    if (EcritureEnCours_) return; // the thread writing takes it in its turn
    EcritureEnCours_ = true;
    for (;;) {
        const auto suivant = std::find_if(Formates_.begin(), Formates_.end(),
                                          [this](const BlocTexte* b) { return b->Numero == AEcrire_; });
        if (suivant == Formates_.end()) break;
        BlocTexte* b = *suivant;
        Formates_.erase(suivant);
        verrou.unlock();
        if (!Erreur()) {
            Tampon_.Ecrire(b->Octets(), b->Taille());
            if (Tampon_.Erreur())
                Erreur_.store(true, std::memory_order_release);
            else
                LignesEcrites_.fetch_add(static_cast<int64_t>(b->Lignes()), std::memory_order_relaxed);
        }
        b->Vider();
        verrou.lock();
        ++AEcrire_;
        Libres_.push_back(b);
        Rendu_.notify_all();
    }
    EcritureEnCours_ = false;
}
