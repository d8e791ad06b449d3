(deftemplate rec (slot a) (slot b (default 1.5)) (multislot m))
(deffacts d (rec (a x) (m 1 2)) (rec (a "s t")) (p "q r" 3 4.5))
(defrule r (p ?x $?) => (assert (q ?x)))
