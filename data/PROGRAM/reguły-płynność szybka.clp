;; Szablony faktów eksportu wskaŸników (wspólne dla wszystkich plików regu³)
(deftemplate years (slot rok1) (slot rok2) (slot rok3))
(deftemplate prog (slot nazwa-progu) (slot wartosc))
(deftemplate prog-dolny (slot nazwa-progu) (slot wartosc))
(deftemplate prog-gorny (slot nazwa-progu) (slot wartosc))
(deftemplate wskaznik (slot nazwa-wskaznika) (slot rok1) (slot wartosc1) (slot rok2) (slot wartosc2)
   (slot rok3) (slot wartosc3) (slot dynamika-1-2) (slot dynamika-1-3) (slot dynamika-2-2)
   (slot dynamika-2-3) (slot dynamika-3-2) (slot dynamika-3-3))

;; Regu³y wskaŸnika: p³ynnoœæ szybka
(defrule plynnosc-szybka-wzrost
   (wskaznik (nazwa-wskaznika plynnosc-szybka) (rok1 ?r1) (rok3 ?r3) (wartosc1 ?a) (wartosc3 ?b&:(> ?b ?a)))
   =>
   (assert (wzrost-wskaznika plynnosc-szybka ?r1 ?r3)))

(defrule plynnosc-szybka-spadek
   (wskaznik (nazwa-wskaznika plynnosc-szybka) (rok1 ?r1) (rok3 ?r3) (wartosc1 ?a) (wartosc3 ?b&:(< ?b ?a)))
   =>
   (assert (spadek-wskaznika plynnosc-szybka ?r1 ?r3)))

(defrule plynnosc-szybka-stabilny
   (wskaznik (nazwa-wskaznika plynnosc-szybka) (rok1 ?r1) (rok3 ?r3) (wartosc1 ?a) (wartosc3 ?b&:(= ?b ?a)))
   =>
   (assert (stabilny-wskaznik plynnosc-szybka ?r1 ?r3)))

(defrule plynnosc-szybka-rok-dobry
   (prog (nazwa-progu plynnosc-szybka) (wartosc ?p))
   (wskaznik (nazwa-wskaznika plynnosc-szybka) (rok3 ?r) (wartosc3 ?w&:(> ?w ?p)))
   =>
   (assert (diagnoza-dla-roku ?r plynnosc-szybka-dobry-wzgledem-progu)))

(defrule plynnosc-szybka-rok-zly
   (prog (nazwa-progu plynnosc-szybka) (wartosc ?p))
   (wskaznik (nazwa-wskaznika plynnosc-szybka) (rok3 ?r) (wartosc3 ?w&:(<= ?w ?p)))
   =>
   (assert (diagnoza-dla-roku ?r plynnosc-szybka-niezadowalajacy-wzgledem-progu)))

(defrule plynnosc-szybka-wszystkie-lata
   (prog (nazwa-progu plynnosc-szybka) (wartosc ?p))
   (wskaznik (nazwa-wskaznika plynnosc-szybka) (rok1 ?r1) (rok3 ?r3)
      (wartosc1 ?a&:(> ?a ?p)) (wartosc2 ?b&:(> ?b ?p)) (wartosc3 ?c&:(> ?c ?p)))
   =>
   (assert (dobrze-we-wszystkich-latach ?r1 ?r3)))
