;; Szablony faktów eksportu wskaŸników (wspólne dla wszystkich plików regu³)
(deftemplate years (slot rok1) (slot rok2) (slot rok3))
(deftemplate prog (slot nazwa-progu) (slot wartosc))
(deftemplate prog-dolny (slot nazwa-progu) (slot wartosc))
(deftemplate prog-gorny (slot nazwa-progu) (slot wartosc))
(deftemplate wskaznik (slot nazwa-wskaznika) (slot rok1) (slot wartosc1) (slot rok2) (slot wartosc2)
   (slot rok3) (slot wartosc3) (slot dynamika-1-2) (slot dynamika-1-3) (slot dynamika-2-2)
   (slot dynamika-2-3) (slot dynamika-3-2) (slot dynamika-3-3))

;; Regu³y wskaŸnika: rentownoœæ kapita³u w³asnego
(defrule rentownosc-kapitalu-wlasnego-wzrost
   (wskaznik (nazwa-wskaznika rentownosc-kapitalu-wlasnego) (rok1 ?r1) (rok3 ?r3) (wartosc1 ?a) (wartosc3 ?b&:(> ?b ?a)))
   =>
   (assert (wzrost-wskaznika rentownosc-kapitalu-wlasnego ?r1 ?r3)))

(defrule rentownosc-kapitalu-wlasnego-spadek
   (wskaznik (nazwa-wskaznika rentownosc-kapitalu-wlasnego) (rok1 ?r1) (rok3 ?r3) (wartosc1 ?a) (wartosc3 ?b&:(< ?b ?a)))
   =>
   (assert (spadek-wskaznika rentownosc-kapitalu-wlasnego ?r1 ?r3)))

(defrule rentownosc-kapitalu-wlasnego-stabilny
   (wskaznik (nazwa-wskaznika rentownosc-kapitalu-wlasnego) (rok1 ?r1) (rok3 ?r3) (wartosc1 ?a) (wartosc3 ?b&:(= ?b ?a)))
   =>
   (assert (stabilny-wskaznik rentownosc-kapitalu-wlasnego ?r1 ?r3)))

(defrule rentownosc-kapitalu-wlasnego-rok-dobry
   (prog (nazwa-progu rentownosc-kapitalu-wlasnego) (wartosc ?p))
   (wskaznik (nazwa-wskaznika rentownosc-kapitalu-wlasnego) (rok3 ?r) (wartosc3 ?w&:(> ?w ?p)))
   =>
   (assert (diagnoza-dla-roku ?r rentownosc-kapitalu-wlasnego-dobry-wzgledem-progu)))

(defrule rentownosc-kapitalu-wlasnego-rok-zly
   (prog (nazwa-progu rentownosc-kapitalu-wlasnego) (wartosc ?p))
   (wskaznik (nazwa-wskaznika rentownosc-kapitalu-wlasnego) (rok3 ?r) (wartosc3 ?w&:(<= ?w ?p)))
   =>
   (assert (diagnoza-dla-roku ?r rentownosc-kapitalu-wlasnego-niezadowalajacy-wzgledem-progu)))

(defrule rentownosc-kapitalu-wlasnego-wszystkie-lata
   (prog (nazwa-progu rentownosc-kapitalu-wlasnego) (wartosc ?p))
   (wskaznik (nazwa-wskaznika rentownosc-kapitalu-wlasnego) (rok1 ?r1) (rok3 ?r3)
      (wartosc1 ?a&:(> ?a ?p)) (wartosc2 ?b&:(> ?b ?p)) (wartosc3 ?c&:(> ?c ?p)))
   =>
   (assert (dobrze-we-wszystkich-latach ?r1 ?r3)))
