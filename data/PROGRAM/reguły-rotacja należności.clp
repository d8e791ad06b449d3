;; Szablony faktów eksportu wskaŸników (wspólne dla wszystkich plików regu³)
(deftemplate years (slot rok1) (slot rok2) (slot rok3))
(deftemplate prog (slot nazwa-progu) (slot wartosc))
(deftemplate prog-dolny (slot nazwa-progu) (slot wartosc))
(deftemplate prog-gorny (slot nazwa-progu) (slot wartosc))
(deftemplate wskaznik (slot nazwa-wskaznika) (slot rok1) (slot wartosc1) (slot rok2) (slot wartosc2)
   (slot rok3) (slot wartosc3) (slot dynamika-1-2) (slot dynamika-1-3) (slot dynamika-2-2)
   (slot dynamika-2-3) (slot dynamika-3-2) (slot dynamika-3-3))

;; Regu³y wskaŸnika: rotacja nale¿noœci
(defrule rotacja-naleznosci-wzrost
   (wskaznik (nazwa-wskaznika rotacja-naleznosci) (rok1 ?r1) (rok3 ?r3) (wartosc1 ?a) (wartosc3 ?b&:(> ?b ?a)))
   =>
   (assert (wzrost-wskaznika rotacja-naleznosci ?r1 ?r3)))

(defrule rotacja-naleznosci-spadek
   (wskaznik (nazwa-wskaznika rotacja-naleznosci) (rok1 ?r1) (rok3 ?r3) (wartosc1 ?a) (wartosc3 ?b&:(< ?b ?a)))
   =>
   (assert (spadek-wskaznika rotacja-naleznosci ?r1 ?r3)))

(defrule rotacja-naleznosci-stabilny
   (wskaznik (nazwa-wskaznika rotacja-naleznosci) (rok1 ?r1) (rok3 ?r3) (wartosc1 ?a) (wartosc3 ?b&:(= ?b ?a)))
   =>
   (assert (stabilny-wskaznik rotacja-naleznosci ?r1 ?r3)))

(defrule rotacja-naleznosci-rok-dobry
   (prog (nazwa-progu rotacja-naleznosci) (wartosc ?p))
   (wskaznik (nazwa-wskaznika rotacja-naleznosci) (rok3 ?r) (wartosc3 ?w&:(> ?w ?p)))
   =>
   (assert (diagnoza-dla-roku ?r rotacja-naleznosci-dobry-wzgledem-progu)))

(defrule rotacja-naleznosci-rok-zly
   (prog (nazwa-progu rotacja-naleznosci) (wartosc ?p))
   (wskaznik (nazwa-wskaznika rotacja-naleznosci) (rok3 ?r) (wartosc3 ?w&:(<= ?w ?p)))
   =>
   (assert (diagnoza-dla-roku ?r rotacja-naleznosci-niezadowalajacy-wzgledem-progu)))

(defrule rotacja-naleznosci-wszystkie-lata
   (prog (nazwa-progu rotacja-naleznosci) (wartosc ?p))
   (wskaznik (nazwa-wskaznika rotacja-naleznosci) (rok1 ?r1) (rok3 ?r3)
      (wartosc1 ?a&:(> ?a ?p)) (wartosc2 ?b&:(> ?b ?p)) (wartosc3 ?c&:(> ?c ?p)))
   =>
   (assert (dobrze-we-wszystkich-latach ?r1 ?r3)))
