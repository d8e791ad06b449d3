;; Szablony faktów eksportu wskaŸników (wspólne dla wszystkich plików regu³)
(deftemplate years (slot rok1) (slot rok2) (slot rok3))
(deftemplate prog (slot nazwa-progu) (slot wartosc))
(deftemplate prog-dolny (slot nazwa-progu) (slot wartosc))
(deftemplate prog-gorny (slot nazwa-progu) (slot wartosc))
(deftemplate wskaznik (slot nazwa-wskaznika) (slot rok1) (slot wartosc1) (slot rok2) (slot wartosc2)
   (slot rok3) (slot wartosc3) (slot dynamika-1-2) (slot dynamika-1-3) (slot dynamika-2-2)
   (slot dynamika-2-3) (slot dynamika-3-2) (slot dynamika-3-3))

;; Regu³y wskaŸnika: suma bilansowa
(defrule suma-bilansowa-wzrost
   (wskaznik (nazwa-wskaznika suma-bilansowa) (rok1 ?r1) (rok3 ?r3) (wartosc1 ?a) (wartosc3 ?b&:(> ?b ?a)))
   =>
   (assert (wzrost-wskaznika suma-bilansowa ?r1 ?r3)))

(defrule suma-bilansowa-spadek
   (wskaznik (nazwa-wskaznika suma-bilansowa) (rok1 ?r1) (rok3 ?r3) (wartosc1 ?a) (wartosc3 ?b&:(< ?b ?a)))
   =>
   (assert (spadek-wskaznika suma-bilansowa ?r1 ?r3)))

(defrule suma-bilansowa-stabilny
   (wskaznik (nazwa-wskaznika suma-bilansowa) (rok1 ?r1) (rok3 ?r3) (wartosc1 ?a) (wartosc3 ?b&:(= ?b ?a)))
   =>
   (assert (stabilny-wskaznik suma-bilansowa ?r1 ?r3)))

(defrule suma-bilansowa-rok-dobry
   (prog (nazwa-progu suma-bilansowa) (wartosc ?p))
   (wskaznik (nazwa-wskaznika suma-bilansowa) (rok3 ?r) (wartosc3 ?w&:(> ?w ?p)))
   =>
   (assert (diagnoza-dla-roku ?r suma-bilansowa-dobry-wzgledem-progu)))

(defrule suma-bilansowa-rok-zly
   (prog (nazwa-progu suma-bilansowa) (wartosc ?p))
   (wskaznik (nazwa-wskaznika suma-bilansowa) (rok3 ?r) (wartosc3 ?w&:(<= ?w ?p)))
   =>
   (assert (diagnoza-dla-roku ?r suma-bilansowa-niezadowalajacy-wzgledem-progu)))

(defrule suma-bilansowa-wszystkie-lata
   (prog (nazwa-progu suma-bilansowa) (wartosc ?p))
   (wskaznik (nazwa-wskaznika suma-bilansowa) (rok1 ?r1) (rok3 ?r3)
      (wartosc1 ?a&:(> ?a ?p)) (wartosc2 ?b&:(> ?b ?p)) (wartosc3 ?c&:(> ?c ?p)))
   =>
   (assert (dobrze-we-wszystkich-latach ?r1 ?r3)))
